#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/IconEntry.h"

namespace vornik {

// Reads one icon/cursor image block (BITMAPINFOHEADER with doubled height,
// colour table, XOR rows, AND rows) that starts at data[pos], where data holds
// `size` bytes. Every size taken from the header is checked against the bytes
// present before anything is allocated. On success fills the entry's
// InfoHeader (single height, biClrUsed stated), XorBits/XorSize,
// AndBits/AndSize and SourcePos, sets *next to the position after the AND
// rows, and returns an empty string. On failure returns the problem in a few
// words (no file name) and leaves the entry's blocks empty. Directory fields
// are not touched (a PNG decoder may read ImageSize for the block's extent).
//
// A block that starts with the PNG signature goes to ReadPngIconImage
// (IconPngImage.h); until that decodes, the answer is kPngImageNotSupported.
std::string ReadIconImage(const std::uint8_t* data, std::size_t size, std::size_t pos, IconEntry& entry,
                          std::size_t* next);

// The most bytes of entry blocks one file may make a reader hold. Compressed
// images can expand far beyond the file's size; real files stay well below.
constexpr std::size_t kMaxDecodedImageBytes = std::size_t{512} << 20;

// Bytes held by an entry's three blocks.
inline std::size_t HeldBytes(const IconEntry& e) {
    return e.InfoHeader.size() + e.XorBits.size() + e.AndBits.size();
}

// The bytes ReadIconImage would make an entry hold for the block at
// data[pos], from its header alone (a PNG's IHDR), so a budget can be
// checked before anything is decoded or copied. 0 when the header cannot
// tell, when rows would run past the bytes present or a side is beyond 2^20
// (the reader then refuses the block itself).
std::uint64_t DeclaredImageBytes(const std::uint8_t* data, std::size_t size, std::size_t pos);
// The same from the block's first headSize bytes (40 are enough) and the
// number of bytes from the block to the end of the file, so a file need not
// be read to learn what its images declare.
std::uint64_t DeclaredImageBytesOfHead(const std::uint8_t* head, std::size_t headSize, std::uint64_t bytesLeft);

// True when the block at data[pos] starts with the PNG signature.
bool IsPngImage(const std::uint8_t* data, std::size_t size, std::size_t pos);

}  // namespace vornik
