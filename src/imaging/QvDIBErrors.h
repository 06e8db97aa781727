#pragma once

#include <string>

#include "platform/Errors.h"

namespace vornik {

// Exceptions of the DIB image and its storage. Each carries only its message.

// Malformed data: bit count, header size, masks, RLE data, an unsupported pair
// of bit count and compression, bad clipboard data or format.
class EQvDIBInvalidDIB : public EVornikError {
public:
    explicit EQvDIBInvalidDIB(const std::string& message) : EVornikError(message) {}
};

// A stream that does not start with "BM".
class EQvDIBInvalidDIBFile : public EVornikError {
public:
    explicit EQvDIBInvalidDIBFile(const std::string& message) : EVornikError(message) {}
};

// Bad arguments: creation parameters, width, height, bit count.
class EQvDIBInvalidDIBPara : public EVornikError {
public:
    explicit EQvDIBInvalidDIBPara(const std::string& message) : EVornikError(message) {}
};

// A palette that yields no entries.
class EQvDIBInvalidPalette : public EVornikError {
public:
    explicit EQvDIBInvalidPalette(const std::string& message) : EVornikError(message) {}
};

// Internal consistency checks (missing storage and the like).
class EQvDIBAssert : public EVornikError {
public:
    explicit EQvDIBAssert(const std::string& message) : EVornikError(message) {}
};

// Resource exhaustion: the pixel block could not be made (or its size is not
// positive), or a picture is larger than the limits allow.
class EOutOfResources : public EVornikError {
public:
    explicit EOutOfResources(const std::string& message) : EVornikError(message) {}
};

// A memory block (the clipboard block) could not be allocated.
class EOutOfMemory : public EVornikError {
public:
    explicit EOutOfMemory(const std::string& message) : EVornikError(message) {}
};

}  // namespace vornik
