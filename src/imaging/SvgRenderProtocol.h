#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/SvgRenderer.h"
#include "platform/Bytes.h"

#if defined(__SANITIZE_ADDRESS__)
#define VORNIK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORNIK_ASAN 1
#endif
#endif

namespace vornik {

// What RenderSvg sends the renderer's process on its standard input: the
// budget, the document and the boxes. The process sets its limits from it.
struct SvgRenderRequest {
    int seconds = 10;
    std::uint64_t memoryBytes = 1ull << 30;
    SvgSource source;
    std::vector<SvgBox> boxes;
};

// The largest request: the largest document, its path and the boxes.
constexpr std::size_t kMaxSvgRequest = kMaxSvgTextBytes + (1u << 16);
constexpr std::size_t kMaxSvgRequestBoxes = 1024;

Bytes SvgRenderRequestBytes(const SvgRenderRequest& request);
// False for bytes that are no whole request (or one past the limits above).
bool ParseSvgRenderRequest(const Bytes& bytes, SvgRenderRequest& request);

// The reply on the process's standard output, in this machine's byte order:
// 'K', the document's user-unit extent (two doubles) and each picture as
// width, height (two uint32) and its 32-bit top-down rows; or 'E', a kind
// ('M' out of memory, 'P' a bad parameter, 'V' anything else), a uint32
// length and the message.
bool WriteSvgRenderPictures(int fd, const SvgUserSize& userSize, const std::vector<TQvDIB>& pictures);
bool WriteSvgRenderError(int fd, char kind, const std::string& message);

// Writes every byte, through interruptions; false when the other end is gone.
bool WriteAllTo(int fd, const void* data, std::size_t size);

}  // namespace vornik
