#include "app/IsBmpFile.h"

#include <fstream>

#include "anim/AniContent.h"
#include "imaging/BitmapInfoHeader.h"
#include "imaging/BmpContent.h"
#include "platform/Bytes.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

// Up to n bytes from the start of the file.
Bytes readHead(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInOutError("Cannot open file \"" + path + "\"");
    Bytes head(n);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(n));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) throw EInOutError("Read error on file \"" + path + "\"");
    return head;
}

}  // namespace

bool IsBmpFile(const std::string& path) {
    const std::uint64_t size = FileSizeOf(path);
    Bytes head = readHead(path, kBmpContentHeadSize);
    const std::size_t needed = size > kBmpContentHeadSize ? kBmpContentHeadSize : BitmapInfoHeader::kSize;
    if (head.size() < needed) throw EInOutError("Read error on file \"" + path + "\": the file is too short");
    return IsBmpContent(head.data(), head.size(), size);
}

bool IsAniFile(const std::string& path) {
    Bytes head = readHead(path, 12);
    return IsAniContent(head.data(), head.size());
}

}  // namespace vornik
