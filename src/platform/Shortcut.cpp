#include "platform/Shortcut.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

namespace fs = std::filesystem;

// Link files are a few hundred bytes; anything far larger is not one.
constexpr std::uint64_t kMaxLinkFileBytes = 64 * 1024;

// The words the editor has always shown; the command line says what they mean.
Message resolveError() { return Message("Files", VORNIK_TRANSLATE_NOOP("Files", "cannot resolve the link")); }

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "file:///a%20b" -> "/a b"; also "file://localhost/...". nullopt for any
// other scheme or a remote host.
std::optional<std::string> localPathOfUrl(std::string_view url) {
    constexpr std::string_view kScheme = "file://";
    if (url.size() < kScheme.size()) return std::nullopt;
    for (std::size_t i = 0; i < kScheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(url[i])) != kScheme[i]) return std::nullopt;
    url.remove_prefix(kScheme.size());
    if (url.substr(0, 9) == "localhost") url.remove_prefix(9);
    if (url.empty() || url.front() != '/') return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size()) {
            int hi = hexValue(url[i + 1]), lo = hexValue(url[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.push_back(url[i]);
    }
    if (out.find('\0') != std::string::npos) return std::nullopt;
    return out;
}

bool hasDesktopExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".desktop";
}

std::optional<std::string> readDesktopLink(const std::string& path) {
    Bytes data;
    try {
        data = ReadFileBytes(path, kMaxLinkFileBytes);
    } catch (const EInOutError&) {
        return std::nullopt;
    }
    return DesktopLinkTarget(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

}  // namespace

std::optional<std::string> DesktopLinkTarget(std::string_view text) {
    bool inEntry = false, sawEntry = false;
    std::string type, url;
    while (!text.empty()) {
        std::size_t eol = text.find('\n');
        std::string_view line = trim(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            sawEntry = sawEntry || inEntry;
            continue;
        }
        if (!inEntry) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
        if (key == "Type")
            type = value;
        else if (key == "URL")
            url = value;
    }
    if (!sawEntry || type != "Link") return std::nullopt;
    std::optional<std::string> target = localPathOfUrl(url);
    return target ? *target : std::string();
}

std::string ResolveShortcut(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        fs::path target = fs::canonical(path, ec);  // follows the whole chain
        if (ec || !fs::exists(target, ec)) {
            ShowMessage(resolveError());
            return {};
        }
        return target.string();
    }
    if (!hasDesktopExtension(path)) return {};
    std::optional<std::string> target = readDesktopLink(path);
    if (!target) return {};
    if (target->empty()) ShowMessage(resolveError());
    return *target;
}

}  // namespace vornik
