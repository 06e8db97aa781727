#include "TestFiles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace vornik::test {

std::filesystem::path CorpusDir() {
    std::filesystem::path dir(VORNIK_CORPUS_DIR);
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec)) return std::filesystem::canonical(dir);
    return {};
}

static std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::vector<std::filesystem::path> CorpusFiles(const std::string& folder, const std::string& ext) {
    std::vector<std::filesystem::path> out;
    auto root = CorpusDir();
    if (root.empty()) return out;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(root / folder, ec)) {
        if (!e.is_regular_file()) continue;
        if (!ext.empty() && lower(e.path().extension().string()) != lower(ext)) continue;
        out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

TempDir::TempDir() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int i = 0; i < 100; ++i) {
        auto p = base / ("vornik-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(p)) {
            path_ = p;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::filesystem::path& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace vornik::test
