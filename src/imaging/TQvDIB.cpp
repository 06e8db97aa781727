#include "imaging/TQvDIB.h"

#include <cstdlib>
#include <string>

#include "platform/FileIO.h"

namespace vornik {

TQvDIB::TQvDIB() : InternalDIB(new TQvInternalDIB()) {}

TQvDIB::TQvDIB(const TQvDIB& other) : TQvGraphic(other) {
    InternalDIB = other.Checked("Create");
    ++InternalDIB->RefCount;
}

TQvDIB& TQvDIB::operator=(const TQvDIB& other) {
    if (this == &other) return *this;
    Assign(&other);
    return *this;
}

TQvDIB::~TQvDIB() { ReleaseInternalDIB(); }

TQvInternalDIB* TQvDIB::Checked(const char* operation) const {
    if (InternalDIB == nullptr)
        throw EQvDIBAssert(std::string("TQvDIB.") + operation + ": InternalDIB Should not be Nil");
    return InternalDIB;
}

void TQvDIB::ReleaseInternalDIB() {
    if (InternalDIB == nullptr) return;
    if (--InternalDIB->RefCount == 0) delete InternalDIB;
    InternalDIB = nullptr;
}

void TQvDIB::Install(std::unique_ptr<TQvInternalDIB> storage) {
    ReleaseInternalDIB();
    InternalDIB = storage.release();
    TakePaletteChangedFlag();
}

void TQvDIB::TakePaletteChangedFlag() {
    TQvInternalDIB* d = Checked("PaletteChanged");
    paletteModified_ = d->PaletteChanged;
    d->PaletteChanged = false;
}

void TQvDIB::UniqueDIB() {
    TQvInternalDIB* d = Checked("UniqueDIB");
    if (d->RefCount <= 1) return;
    std::unique_ptr<TQvInternalDIB> copy = d->Clone();
    ReleaseInternalDIB();
    InternalDIB = copy.release();
}

int TQvDIB::ShareCount() const { return Checked("ShareCount")->RefCount; }

bool TQvDIB::SharesStorageWith(const TQvDIB& other) const {
    return Checked("SharesStorageWith") == other.Checked("SharesStorageWith");
}

const TQvInternalDIB& TQvDIB::Internal() const { return *Checked("Internal"); }

TQvInternalDIB& TQvDIB::MutableInternal() {
    UniqueDIB();
    return *Checked("Internal");
}

void TQvDIB::CreateDIB(int width, int height, int clrCount, int bitCount) {
    Checked("CreateDIB");
    auto storage = std::make_unique<TQvInternalDIB>();
    storage->CreateDIB(width, height, clrCount, bitCount);
    Install(std::move(storage));
    Changed();
}

// --- graphic ---

void TQvDIB::Assign(const TQvGraphic* source) {
    Checked("Assign");
    if (source == this) return;
    if (source == nullptr) {
        Install(std::make_unique<TQvInternalDIB>());
        Changed();
        return;
    }
    if (const auto* dib = dynamic_cast<const TQvDIB*>(source)) {
        TQvInternalDIB* shared = dib->Checked("Assign");
        if (shared == InternalDIB) return;
        ++shared->RefCount;
        ReleaseInternalDIB();
        InternalDIB = shared;
        paletteModified_ = true;
        Changed();
        return;
    }
    TQvGraphic::Assign(source);
}

void TQvDIB::Assign(TQvClipboard& clipboard) {
    Checked("Assign");
    clipboard.Open();
    try {
        if (const Bytes* data = clipboard.GetData(CF_DIB))
            LoadFromClipboardFormat(CF_DIB, data, clipboard.GetPalette());
    } catch (...) {
        clipboard.Close();
        throw;
    }
    clipboard.Close();
}

void TQvDIB::AssignTo(TQvGraphic* target) const {
    Checked("AssignTo");
    if (auto* dib = dynamic_cast<TQvDIB*>(target)) {
        dib->Assign(this);
        return;
    }
    TQvGraphic::AssignTo(target);
}

// --- size and format ---

int TQvDIB::GetWidth() const { return Checked("GetWidth")->Width; }
int TQvDIB::GetHeight() const { return Checked("GetHeight")->Height; }

void TQvDIB::SetWidth(int value) {
    TQvInternalDIB* d = Checked("SetWidth");
    if (value <= 0) throw EQvDIBInvalidDIBPara("TQvDIB.SetWidth: Invalid Width");
    if (value == d->Width) return;
    auto storage = std::make_unique<TQvInternalDIB>();
    storage->CreateDIB(value, d->Header.biHeight, static_cast<int>(d->Header.biClrUsed), d->Header.biBitCount);
    Install(std::move(storage));
    Changed();
}

void TQvDIB::SetHeight(int value) {
    TQvInternalDIB* d = Checked("SetHeight");
    if (value == 0) throw EQvDIBInvalidDIBPara("TQvDIB.SetWidth: Invalid Height");
    // Height reads as a positive number: asking for it again keeps the image
    // (also a top-down one).
    if (value == d->Header.biHeight || value == d->Height) return;
    auto storage = std::make_unique<TQvInternalDIB>();
    storage->CreateDIB(d->Width, value, static_cast<int>(d->Header.biClrUsed), d->Header.biBitCount);
    Install(std::move(storage));
    Changed();
}

int TQvDIB::GetBitCount() const { return Checked("GetBitCount")->Header.biBitCount; }

void TQvDIB::SetBitCount(int value) {
    TQvInternalDIB* d = Checked("SetBitCount");
    if (value != 1 && value != 4 && value != 8 && value != 15 && value != 16 && value != 24 && value != 32)
        throw EQvDIBInvalidDIBPara("TQvDIB.SetBitCount: Invalid BitCount");
    if (value == d->Header.biBitCount) return;
    const int colours = value == 1 ? 2 : value == 4 ? 16 : value == 8 ? 256 : 0;
    auto storage = std::make_unique<TQvInternalDIB>();
    storage->CreateDIB(d->Width, d->Header.biHeight, colours, value);
    Install(std::move(storage));
    Changed();
}

bool TQvDIB::IsTopDown() const { return Checked("IsTopDown")->Header.biHeight < 0; }
std::uint32_t TQvDIB::Compression() const { return Checked("Compression")->Header.biCompression; }
int TQvDIB::RowsNotReached() const { return Checked("RowsNotReached")->RowsNotReached; }

// --- header, colour table, pixels ---

const BitmapInfoHeader& TQvDIB::Header() const { return Checked("Header")->Header; }
int TQvDIB::ColorCount() const { return static_cast<int>(Checked("ColorCount")->Header.biClrUsed); }
const RgbQuad* TQvDIB::ColorTable() const { return Checked("ColorTable")->ColorTable; }

RgbQuad TQvDIB::GetColor(int index) const {
    const TQvInternalDIB* d = Checked("GetColor");
    if (index < 0 || index > 255) throw EQvDIBInvalidDIBPara("TQvDIB.GetColor: Invalid Index");
    return d->ColorTable[index];
}

void TQvDIB::SetColor(int index, const RgbQuad& colour) {
    Checked("SetColor");
    if (index < 0 || index > 255) throw EQvDIBInvalidDIBPara("TQvDIB.SetColor: Invalid Index");
    UniqueDIB();
    InternalDIB->ColorTable[index] = colour;
    InternalDIB->ColorsChanged();
    TakePaletteChangedFlag();
}

void TQvDIB::SetColorTable(const RgbQuad* colours, int count) {
    Checked("SetColorTable");
    if (count < 0 || count > 256) throw EQvDIBInvalidDIBPara("TQvDIB.SetColorTable: Invalid Count");
    UniqueDIB();
    for (int i = 0; i < 256; ++i) InternalDIB->ColorTable[i] = i < count ? colours[i] : RgbQuad{};
    InternalDIB->Header.biClrUsed = static_cast<std::uint32_t>(count);
    InternalDIB->ColorsChanged();
    TakePaletteChangedFlag();
}

int TQvDIB::Stride() const { return Checked("Stride")->Stride(); }
int TQvDIB::DataSize() const { return Checked("DataSize")->DataSize; }
const std::uint8_t* TQvDIB::Pixels() const { return Checked("Pixels")->Pixels.get(); }

const std::uint8_t* TQvDIB::ScanLine(int y) const {
    const TQvInternalDIB* d = Checked("ScanLine");
    if (d->IsCompressed()) throw EQvDIBInvalidDIB("TQvDIB.ScanLine: Pixels Are RLE Compressed");
    if (y < 0 || y >= d->Height) throw EQvDIBInvalidDIBPara("TQvDIB.ScanLine: Invalid Row");
    return d->Pixels.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(d->Stride());
}

std::uint8_t* TQvDIB::MutablePixels() {
    Checked("MutablePixels");
    UniqueDIB();
    return InternalDIB->Pixels.get();
}

std::uint8_t* TQvDIB::MutableScanLine(int y) {
    ScanLine(y);  // checks
    UniqueDIB();
    return InternalDIB->Pixels.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(InternalDIB->Stride());
}

// --- palette ---

const TQvPalette* TQvDIB::GetPalette() const { return Checked("GetPalette")->GetPalette(); }

void TQvDIB::SetPalette(const TQvPalette* palette) {
    Checked("SetPalette");
    if (palette != nullptr && palette->Empty()) throw EQvDIBInvalidPalette("TQvDIB.SetPalette: Invalid Palette");
    UniqueDIB();
    TQvInternalDIB* d = InternalDIB;
    if (palette == nullptr) {
        d->Header.biClrUsed = 0;
        d->ColorsChanged();
    } else {
        const int n = palette->Count() > 256 ? 256 : palette->Count();
        for (int i = 0; i < n; ++i) d->ColorTable[i] = palette->Quad(i);
        d->Header.biClrUsed = static_cast<std::uint32_t>(n);
        d->ColorsChanged();
        d->Palette = std::make_unique<TQvPalette>(*palette);
    }
    TakePaletteChangedFlag();
}

// --- streams, files, clipboard ---

void TQvDIB::LoadFromStream(ByteReadStream& stream) {
    Checked("LoadFromStream");
    auto storage = std::make_unique<TQvInternalDIB>();
    storage->LoadFromStream(stream);
    Install(std::move(storage));
    Changed();
}

void TQvDIB::SaveToStream(ByteWriteStream& stream) const { Checked("SaveToStream")->SaveToStream(stream); }

void TQvDIB::LoadFromBytes(const Bytes& bmp) {
    ByteReadStream stream(bmp);
    LoadFromStream(stream);
}

Bytes TQvDIB::SaveToBytes() const {
    ByteWriteStream stream;
    SaveToStream(stream);
    return stream.Take();
}

void TQvDIB::LoadFromFile(const std::string& path) { LoadFromBytes(ReadFileBytes(path)); }

void TQvDIB::SaveToFile(const std::string& path) const { WriteFileReplacing(path, SaveToBytes()); }

void TQvDIB::LoadFromClipboardFormat(std::uint32_t format, const Bytes* data, const TQvPalette* /*palette*/) {
    Checked("LoadFromClipboardFormat");
    if (format != CF_DIB || data == nullptr)
        throw EQvDIBInvalidDIB("TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
    auto storage = std::make_unique<TQvInternalDIB>();
    storage->LoadFromClipboardBlock(data->data(), data->size());
    Install(std::move(storage));
    Changed();
}

TQvClipboardData TQvDIB::SaveToClipboardFormat() const {
    TQvClipboardData out;
    out.format = CF_DIB;
    out.data = Checked("SaveToClipboardFormat")->SaveToClipboardBlock();
    return out;
}

// --- colour conversions ---

void TQvDIB::AfterConversion() {
    TakePaletteChangedFlag();
    Changed();
}

void TQvDIB::ConvertToMono() {
    Checked("ConvertToMono");
    const int bits = GetBitCount();
    if (bits == 1) return;
    UniqueDIB();
    if (bits == 4 || bits == 8) InternalDIB->ConvertTo8BitRGB();
    InternalDIB->ConvertTo1Bit();
    AfterConversion();
}

void TQvDIB::ConvertTo16Colors() {
    Checked("ConvertTo16Colors");
    const int bits = GetBitCount();
    if (bits == 4) return;
    UniqueDIB();
    if (bits == 8) InternalDIB->ConvertToTrueColor();
    InternalDIB->ConvertTo4BitRGB();
    AfterConversion();
}

void TQvDIB::ConvertTo16FixedColors() {
    Checked("ConvertTo16FixedColors");
    const int bits = GetBitCount();
    if (bits == 4) return;
    UniqueDIB();
    if (bits == 8) InternalDIB->ConvertToTrueColor();
    InternalDIB->ConvertTo4BitFixed();
    AfterConversion();
}

void TQvDIB::ConvertTo256Colors() {
    Checked("ConvertTo256Colors");
    if (GetBitCount() == 8 && !IsCompressed()) return;
    UniqueDIB();
    InternalDIB->ConvertTo8BitRGB();
    AfterConversion();
}

void TQvDIB::ConvertToTrueColor() {
    Checked("ConvertToTrueColor");
    if (GetBitCount() == 24 && !IsCompressed()) return;
    UniqueDIB();
    InternalDIB->ConvertToTrueColor();
    AfterConversion();
}

}  // namespace vornik
