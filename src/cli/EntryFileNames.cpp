#include "cli/EntryFileNames.h"

#include <algorithm>
#include <filesystem>

namespace vornik::cli {

std::vector<std::string> EntryFileNames(const std::string& dir, const std::string& stem, long long first,
                                        int count, const std::string& ext) {
    std::vector<std::string> names;
    if (count <= 0) return names;
    const std::size_t digits = std::max<std::size_t>(2, std::to_string(first + count - 1).size());
    for (int i = 0; i < count; ++i) {
        std::string number = std::to_string(first + i);
        number.insert(0, digits - number.size(), '0');
        names.push_back((std::filesystem::path(dir) / (stem + "-" + number + ext)).string());
    }
    return names;
}

}  // namespace vornik::cli
