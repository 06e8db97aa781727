#pragma once

#include <string>

#include "platform/Errors.h"

namespace vornik {

// Exceptions of the DIB image and its storage. what() is the routine's own
// text ("TQvDIB.SetWidth: Invalid Width"); the message a user reads leaves
// the routine's name out.
Message BitmapDataMessage(const std::string& routineText);

// Malformed data: bit count, header size, masks, RLE data, an unsupported pair
// of bit count and compression, bad clipboard data or format.
class EQvDIBInvalidDIB : public EVornikError {
public:
    explicit EQvDIBInvalidDIB(const std::string& text) : EVornikError(text, BitmapDataMessage(text)) {}
};

// A stream that does not start with "BM".
class EQvDIBInvalidDIBFile : public EVornikError {
public:
    explicit EQvDIBInvalidDIBFile(const std::string& text) : EVornikError(text, BitmapDataMessage(text)) {}
};

// Bad arguments: creation parameters, width, height, bit count.
class EQvDIBInvalidDIBPara : public EVornikError {
public:
    explicit EQvDIBInvalidDIBPara(const std::string& text) : EVornikError(text, BitmapDataMessage(text)) {}
};

// A palette that yields no entries.
class EQvDIBInvalidPalette : public EVornikError {
public:
    explicit EQvDIBInvalidPalette(const std::string& text) : EVornikError(text, BitmapDataMessage(text)) {}
};

// Internal consistency checks (missing storage and the like).
class EQvDIBAssert : public EVornikError {
public:
    explicit EQvDIBAssert(const std::string& text) : EVornikError(text, BitmapDataMessage(text)) {}
};

// Resource exhaustion: the pixel block could not be made (or its size is not
// positive), or a picture is larger than the limits allow.
class EOutOfResources : public EVornikError {
public:
    explicit EOutOfResources(const std::string& text) : EVornikError(text, BitmapDataMessage(text)) {}
};

// A memory block (the clipboard block) could not be allocated.
class EOutOfMemory : public EVornikError {
public:
    explicit EOutOfMemory(const std::string& text) : EVornikError(text, BitmapDataMessage(text)) {}
};

}  // namespace vornik
