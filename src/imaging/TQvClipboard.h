#pragma once

#include <cstdint>
#include <optional>

#include "imaging/TQvPalette.h"
#include "platform/Bytes.h"

namespace vornik {

// Clipboard format numbers of the platform.
constexpr std::uint32_t CF_BITMAP = 2;
constexpr std::uint32_t CF_DIB = 8;
constexpr std::uint32_t CF_PALETTE = 9;

// What a graphic puts on the clipboard: one format with its data block and,
// optionally, a palette (CF_PALETTE).
struct TQvClipboardData {
    std::uint32_t format = 0;
    Bytes data;
    std::optional<TQvPalette> palette;
};

// The system clipboard as the imaging layer sees it. The application installs
// the real one (ui/); tests use TQvMemoryClipboard.
class TQvClipboard {
public:
    virtual ~TQvClipboard() = default;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool HasFormat(std::uint32_t format) const = 0;
    // The data of a format, or null when the clipboard does not offer it.
    // Valid while the clipboard is open.
    virtual const Bytes* GetData(std::uint32_t format) const = 0;
    // The CF_PALETTE content, or null.
    virtual const TQvPalette* GetPalette() const = 0;
    // Empties the clipboard and puts the given data on it.
    virtual void SetData(const TQvClipboardData& data) = 0;
};

// An in-memory clipboard; counts opens and closes so callers can check they
// are balanced.
class TQvMemoryClipboard : public TQvClipboard {
public:
    void Open() override { ++opens_; }
    void Close() override { ++closes_; }
    bool HasFormat(std::uint32_t format) const override {
        return content_.format == format && format != 0;
    }
    const Bytes* GetData(std::uint32_t format) const override {
        return HasFormat(format) ? &content_.data : nullptr;
    }
    const TQvPalette* GetPalette() const override {
        return content_.palette ? &*content_.palette : nullptr;
    }
    void SetData(const TQvClipboardData& data) override { content_ = data; }

    const TQvClipboardData& Content() const { return content_; }
    int Opens() const { return opens_; }
    int Closes() const { return closes_; }

private:
    TQvClipboardData content_;
    int opens_ = 0;
    int closes_ = 0;
};

}  // namespace vornik
