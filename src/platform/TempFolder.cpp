#include "platform/TempFolder.h"

#include <filesystem>
#include <system_error>

namespace vornik {

namespace {
std::string g_override;
}

std::string TempFolder() {
    if (!g_override.empty()) return g_override;
    std::error_code ec;
    std::filesystem::path p = std::filesystem::temp_directory_path(ec);
    if (ec || p.empty()) return "/tmp";
    return p.string();
}

void SetTempFolderOverride(const std::string& path) { g_override = path; }

}  // namespace vornik
