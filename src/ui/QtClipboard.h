#pragma once

#include "imaging/TQvClipboard.h"

namespace vornik {

// The system clipboard through Qt. A bitmap offers CF_DIB and CF_BITMAP, as
// the original platform synthesises one from the other; palettes are not
// carried.
class QtClipboard : public TQvClipboard {
public:
    void Open() override;
    void Close() override;
    bool HasFormat(std::uint32_t format) const override;
    const Bytes* GetData(std::uint32_t format) const override;
    const TQvPalette* GetPalette() const override { return nullptr; }
    void SetData(const TQvClipboardData& data) override;

private:
    mutable Bytes dib_;  // the packed DIB handed out while open
    mutable bool fetched_ = false;
};

// A packed DIB (header, colour table, pixels) as a BMP file image and back.
Bytes PackedDIBToBmp(const Bytes& dib);
Bytes BmpToPackedDIB(const Bytes& bmp);

}  // namespace vornik
