#include "formats/ThemeFiles.h"

#include <filesystem>

#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace fs = std::filesystem;

void ReplaceWithLink(const std::string& link, const std::string& target) {
    std::error_code ec;
    if (fs::is_symlink(link, ec) || fs::exists(link, ec)) fs::remove(link, ec);
    fs::create_symlink(target, link, ec);
    if (ec) throw EInOutError("cannot create the link \"" + link + "\": " + ec.message());
}

void WriteThemeFile(const std::string& path, const Bytes& data) {
    std::error_code ec;
    if (fs::is_symlink(path, ec) && !fs::remove(path, ec))
        throw EInOutError("cannot replace the link \"" + path + "\": " + ec.message());
    WriteFileReplacing(path, data);
}

}  // namespace vornik
