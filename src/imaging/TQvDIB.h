#pragma once

#include <cstdint>
#include <string>

#include "imaging/BitmapInfoHeader.h"
#include "imaging/ByteReadStream.h"
#include "imaging/ByteWriteStream.h"
#include "imaging/QvDIBErrors.h"
#include "imaging/RgbQuad.h"
#include "imaging/TQvClipboard.h"
#include "imaging/TQvGraphic.h"
#include "imaging/TQvInternalDIB.h"
#include "imaging/TQvPalette.h"

namespace vornik {

// The in-memory device-independent bitmap every picture passes through. Its
// storage (TQvInternalDIB) is shared between copies and copied on the first
// change (UniqueDIB). Copying a TQvDIB shares; nothing is copied until one of
// them changes.
//
// Pixel rows are in the BMP layout: row y = 0 is the first row in memory
// (bottom row of a bottom-up image, top row when the header height is
// negative), padded to a multiple of 4 bytes; 24-bit pixels are blue, green,
// red; in 1- and 4-bit rows the leftmost pixel is in the most significant bits.
// A DIB loaded from an RLE file stays compressed (Compression() 1 or 2) until a
// conversion decodes it; row access needs uncompressed pixels.
class TQvDIB : public TQvGraphic {
public:
    // A fresh 1 x 1, 8-bit image with two black colour-table entries.
    TQvDIB();
    // Shares the other's storage.
    TQvDIB(const TQvDIB& other);
    TQvDIB& operator=(const TQvDIB& other);
    ~TQvDIB() override;

    // A new zero-filled image (a format reset): width > 0, height != 0
    // (negative = top-down), clrCount 0..256, bit count 1, 4, 8, 15, 16, 24 or
    // 32; else EQvDIBInvalidDIBPara "TQvInternalDIB.CreateDIB: Invalid Parameters".
    void CreateDIB(int width, int height, int clrCount, int bitCount);

    // How the picture registry lists the class: clipboard format CF_DIB and
    // this file extension with its description.
    static constexpr const char* kFileExtension = "dib";
    static constexpr const char* kFileDescription = "Device Independent Bitmap";

    // --- graphic ---
    std::uint32_t ClipboardFormat() const override { return CF_DIB; }
    const char* ClassName() const override { return "TQvDIB"; }
    // Another TQvDIB: share its storage. Null: take a fresh default storage.
    void Assign(const TQvGraphic* source) override;
    // Opens the clipboard; when it offers CF_DIB, loads that block; closes it
    // again (also on failure).
    void Assign(TQvClipboard& clipboard) override;
    void AssignTo(TQvGraphic* target) const override;
    bool GetEmpty() const override { return false; }

    // --- size and format ---
    int GetWidth() const override;
    int GetHeight() const override;  // always positive
    // Format resets: a new zero-filled storage with the same bit count and
    // colour-table count, all black. The current value does nothing.
    void SetWidth(int value) override;   // <= 0: "TQvDIB.SetWidth: Invalid Width"
    void SetHeight(int value) override;  // 0: "TQvDIB.SetWidth: Invalid Height"
    int Width() const { return GetWidth(); }
    int Height() const { return GetHeight(); }
    int GetBitCount() const;
    // A format reset to 1, 4, 8, 15, 16, 24 or 32 bits (colour-table count 2,
    // 16, 256 or 0), not a conversion. Else "TQvDIB.SetBitCount: Invalid BitCount".
    void SetBitCount(int value);
    // The header height's sign: true when row 0 is the top row.
    bool IsTopDown() const;
    std::uint32_t Compression() const;
    bool IsCompressed() const { return Compression() != 0; }
    // How many rows a cut OS/2 RLE24 file's data never reached: the top ones,
    // as its rows are stored bottom-up; they are black. 0 for any other picture.
    int RowsNotReached() const;

    // --- header, colour table, pixels ---
    const BitmapInfoHeader& Header() const;
    // Number of valid colour-table entries (biClrUsed).
    int ColorCount() const;
    // The colour table (256 entries); the first ColorCount() are valid.
    const RgbQuad* ColorTable() const;
    RgbQuad GetColor(int index) const;  // index 0..255
    // Changes one entry (makes the storage unique; palette changed).
    void SetColor(int index, const RgbQuad& colour);
    // Replaces the colour table by `count` (0..256) entries; biClrUsed = count.
    void SetColorTable(const RgbQuad* colours, int count);

    // Bytes per stored row; byte size of the whole pixel block.
    int Stride() const;
    int DataSize() const;
    // Read access to the pixel block and to row y as stored (0 <= y < Height(),
    // else EQvDIBInvalidDIBPara; an RLE-compressed image has no rows:
    // EQvDIBInvalidDIB, convert it first).
    const std::uint8_t* Pixels() const;
    const std::uint8_t* ScanLine(int y) const;
    // Write access: these make the storage unique first. Pointers stay valid
    // until the next operation that reshapes the image or shares it again.
    std::uint8_t* MutablePixels();
    std::uint8_t* MutableScanLine(int y);

    // --- palette ---
    // The palette built from the colour table (owned by the DIB; copy it to
    // hand it on). Null when biClrUsed is 0.
    const TQvPalette* GetPalette() const override;
    // Null sets biClrUsed 0; otherwise up to 256 entries become the colour
    // table; an empty palette raises EQvDIBInvalidPalette
    // "TQvDIB.SetPalette: Invalid Palette". Pixels are untouched.
    void SetPalette(const TQvPalette* palette) override;
    void SetPalette(const TQvPalette& palette) { SetPalette(&palette); }

    // --- streams, files, clipboard ---
    // Builds a new storage from a BMP stream; the old one stays on failure.
    void LoadFromStream(ByteReadStream& stream) override;
    void SaveToStream(ByteWriteStream& stream) const override;
    void LoadFromBytes(const Bytes& bmp);
    Bytes SaveToBytes() const;
    // Whole-file helpers over the file layer (EInOutError names the file).
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;
    // CF_DIB only; data is a packed DIB (header, colour table, pixels).
    void LoadFromClipboardFormat(std::uint32_t format, const Bytes* data, const TQvPalette* palette) override;
    TQvClipboardData SaveToClipboardFormat() const override;

    // --- colour conversions; an image already in the target form is unchanged ---
    void ConvertToMono();
    void ConvertTo16Colors();
    void ConvertTo16FixedColors();
    void ConvertTo256Colors();
    void ConvertToTrueColor();

    // --- sharing ---
    // Makes the storage private when it is shared. Every change calls it.
    void UniqueDIB();
    // Number of TQvDIB objects sharing this one's storage (1 = private).
    int ShareCount() const;
    bool SharesStorageWith(const TQvDIB& other) const;
    // Moves the storage's palette-changed flag into PaletteModified().
    void TakePaletteChangedFlag();

    // The storage itself, for code of this layer that works on it directly.
    const TQvInternalDIB& Internal() const;
    TQvInternalDIB& MutableInternal();  // unique first

private:
    TQvInternalDIB* Checked(const char* operation) const;
    void ReleaseInternalDIB();
    void Install(std::unique_ptr<TQvInternalDIB> storage);
    void AfterConversion();

    TQvInternalDIB* InternalDIB = nullptr;
};

}  // namespace vornik
