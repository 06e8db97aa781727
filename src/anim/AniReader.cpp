// Reading of ANI files (RIFF form "ACON") into a TAniEX.
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "anim/AniFrameImage.h"
#include "anim/AniMessages.h"
#include "anim/TAniEX.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/IconImageReader.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

// Largest ANI file we read into memory.
constexpr std::uint64_t kMaxAniFileBytes = 1ull << 30;

enum class Outcome { Read, Refused };

// Walks the chunks of one file. Sizes from the file are checked against the
// bytes present before they are used; a chunk that runs past the end of the
// file throws EInOutError (the file ends early), a chunk whose content makes
// no sense stops the reading as a damaged file.
class AniParser {
public:
    AniParser(TAniEX& set, const std::uint8_t* data, std::size_t size, const std::string& name,
              std::string& error)
        : set_(set), data_(data), size_(size), name_(name), error_(error) {}

    Outcome run();

private:
    [[noreturn]] void endsEarly(const char* what) const {
        throw EInOutError("Read beyond end of file \"" + name_ + "\" (" + what + " at offset " +
                          std::to_string(pos_) + ")");
    }
    void need(std::uint64_t n, const char* what) const {
        if (n > size_ - pos_) endsEarly(what);
    }
    std::string tag() {
        need(4, "chunk tag");
        const char* p = reinterpret_cast<const char*>(data_ + pos_);
        pos_ += 4;
        return std::string(p, strnlen(p, 4));
    }
    std::uint32_t u32(const char* what) {
        need(4, what);
        const std::uint32_t v = ReadU32LE(data_ + pos_);
        pos_ += 4;
        return v;
    }
    // Stops the reading: no frames, the message names the chunk.
    void damaged(const std::string& tagText, const std::string& why) {
        ShowMessage(std::string(animsg::kDamaged) + tagText);
        set_.Clear();
        error_ = "\"" + name_ + "\" is damaged: " + why;
    }

    void readHeader();
    void readStepValues(bool rates);
    void readText(std::string& into);
    // False when reading is to stop; refused_ set for a refusal.
    bool readIcon();

    TAniEX& set_;
    const std::uint8_t* data_;
    std::size_t size_;
    const std::string& name_;
    std::string& error_;
    std::size_t pos_ = 0;
    bool sawHeader_ = false;
    bool refused_ = false;
    std::uint64_t declaredSteps_ = 0;  // step count as the file states it
    std::size_t decoded_ = 0;          // bytes of frame blocks held so far
};

void AniParser::readHeader() {
    u32("anih size");  // the header is 36 bytes whatever the size says
    need(AniHeader::kSize, "anih");
    set_.AnimHeader = AniHeader::Read(data_ + pos_);
    pos_ += AniHeader::kSize;
    AniHeader& h = set_.AnimHeader;
    if (h.DisplayRate == 0) h.DisplayRate = set_.DefaultRate;
    declaredSteps_ = h.StepCount;
    if (h.StepCount > TAniEX::kMaxSteps) {
        ShowMessage(animsg::kTooManySteps);
        h.StepCount = TAniEX::kMaxSteps;
    }
    const auto rate = static_cast<std::int32_t>(std::min<std::uint32_t>(h.DisplayRate, INT32_MAX));
    for (int i = 0; i < set_.StepCount(); ++i) set_.Steps[static_cast<std::size_t>(i)] = {rate, i};
}

// "rate" and "seq " hold one 32-bit value per step as the header states the
// steps; only the steps that fit the table are kept.
void AniParser::readStepValues(bool rates) {
    u32(rates ? "rate size" : "seq size");
    need(4 * declaredSteps_, rates ? "rate" : "seq");
    const int kept = set_.StepCount();
    const std::uint32_t frames = set_.AnimHeader.FrameCount;
    for (int i = 0; i < kept; ++i) {
        const std::int32_t v = ReadI32LE(data_ + pos_ + 4 * static_cast<std::size_t>(i));
        AniStep& st = set_.Steps[static_cast<std::size_t>(i)];
        if (rates) {
            st.Rate = v;
        } else if (v < 0 || static_cast<std::uint32_t>(v) >= frames) {
            ShowMessage(animsg::kSeqFrameTooLarge);
            st.Frame =
                frames == 0 ? 0 : static_cast<std::int32_t>(std::min<std::uint32_t>(frames - 1, INT32_MAX));
        } else {
            st.Frame = v;
        }
    }
    pos_ += static_cast<std::size_t>(4 * declaredSteps_);
}

void AniParser::readText(std::string& into) {
    std::uint64_t n = u32("text size");
    if (n % 2 != 0) {
        ++n;
        // The pad byte may be missing at the very end of the file.
        if (n - 1 == size_ - pos_) --n;
    }
    need(n, "text");
    const char* p = reinterpret_cast<const char*>(data_ + pos_);
    into.assign(p, strnlen(p, static_cast<std::size_t>(n)));
    pos_ += static_cast<std::size_t>(n);
}

bool AniParser::readIcon() {
    const std::uint32_t chunkSize = u32("icon size");
    need(chunkSize, "icon");
    const std::size_t start = pos_;
    const std::size_t end = start + chunkSize;
    // An odd-sized chunk is followed by a pad byte.
    const std::size_t after = (chunkSize % 2 != 0 && end < size_) ? end + 1 : end;
    const int index = set_.Count;
    if (index >= TIconEx::kMaxEntries) {
        ShowMessage(animsg::kTooManyFrames);
        return false;
    }
    const std::string frameName = "frame " + std::to_string(index);
    if (chunkSize < 6 + IconEntry::kDirectorySize) {
        damaged("icon", frameName + ": icon chunk too short");
        return false;
    }
    const std::uint16_t images = ReadU16LE(data_ + start + 4);
    if (images == 0) {
        damaged("icon", frameName + ": no image in the icon chunk");
        return false;
    }
    if (images > 1) ShowMessage(animsg::kSeveralImages);
    const std::uint64_t directoryEnd = 6 + std::uint64_t{IconEntry::kDirectorySize} * images;
    if (directoryEnd > chunkSize) {
        damaged("icon", frameName + ": image directory runs past the icon chunk");
        return false;
    }
    IconEntry& e = set_.Entries[static_cast<std::size_t>(index)];
    e.ReadDirectory(data_ + start + 6);
    std::size_t imageEnd = 0;
    bool isPng = false;
    const std::string problem =
        ReadAniFrameImage(data_, size_, start + static_cast<std::size_t>(directoryEnd), e, &imageEnd, &isPng);
    if (isPng) {
        ShowMessage(animsg::kPngFrame);
        set_.Clear();
        error_ = "\"" + name_ + "\": " + frameName + " is a PNG-compressed image, which is not supported yet";
        refused_ = true;
        return false;
    }
    if (!problem.empty()) {
        damaged("icon", frameName + ": " + problem);
        return false;
    }
    // Compressed frames can expand far beyond the file; a real file stays well below this.
    decoded_ += HeldBytes(e);
    if (decoded_ > kMaxDecodedImageBytes) {
        damaged("icon", frameName + ": the frames together decode to more than " +
                            std::to_string(kMaxDecodedImageBytes >> 20) + " MiB");
        return false;
    }
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    e.Width = static_cast<std::uint8_t>(h.biWidth);
    e.Height = static_cast<std::uint8_t>(h.biHeight);
    e.ColorCount = DirectoryColorCount(h.biBitCount);
    e.EntryReserved = 0;
    if (images > 1) {
        // The further images are skipped by the chunk's size, not by their own
        // headers (they may be PNG-compressed).
        e.ImageOffset = 22;
        e.ImageSize = static_cast<std::uint32_t>(e.InfoHeader.size() + e.XorBits.size() + e.AndBits.size());
    }
    ++set_.Count;
    // A lone bitmap image may run past a chunk size that is too small, and the
    // reading goes on after it; anything else ends where its chunk ends.
    const bool bitmapAlone =
        images == 1 && !IsPngImage(data_, size_, start + static_cast<std::size_t>(directoryEnd));
    pos_ = bitmapAlone ? std::max(after, imageEnd) : after;
    return true;
}

Outcome AniParser::run() {
    std::string t = tag();
    if (t != "RIFF") {
        ShowMessage(t + animsg::kNotAniRiff);
        error_ = "\"" + name_ + "\" is not an animated cursor (no RIFF header)";
        return Outcome::Refused;
    }
    const std::uint32_t riffSize = u32("RIFF size");
    t = tag();
    if (t != "ACON") {
        ShowMessage(t + animsg::kNotAniAcon);
        error_ = "\"" + name_ + "\" is not an animated cursor (RIFF form is not ACON)";
        return Outcome::Refused;
    }
    // The loop runs to the RIFF size as stored; 0 means "to the end of the file".
    const std::uint64_t limit = riffSize != 0 ? riffSize : std::numeric_limits<std::uint64_t>::max();
    declaredSteps_ = set_.AnimHeader.StepCount;
    do {
        if (pos_ == size_) break;  // ends cleanly between chunks
        t = tag();
        if (t == "anih") {
            if (sawHeader_) {
                damaged(t, "second anih chunk");
                break;
            }
            sawHeader_ = true;
            readHeader();
            if (set_.AnimHeader.FrameCount == 0) break;
        } else if (t == "rate") {
            set_.HasRateChunk = true;
            readStepValues(true);
        } else if (t == "seq ") {
            set_.HasSeqChunk = true;
            readStepValues(false);
        } else if (t == "LIST") {
            // Lists are walked in the same loop as top-level chunks; their size
            // is only checked (some writers count 2 bytes too many).
            const std::uint32_t listSize = u32("LIST size");
            if (listSize > std::uint64_t{size_ - pos_} + 2) endsEarly("LIST");
        } else if (t == "fram" || t == "INFO") {
        } else if (t == "INAM") {
            readText(set_.Title);
        } else if (t == "IART") {
            readText(set_.Creator);
        } else if (t == "icon") {
            if (!readIcon()) break;
        } else {
            damaged(t, "unknown chunk \"" + t + "\"");
            break;
        }
    } while (pos_ < limit);
    if (refused_) return Outcome::Refused;
    set_.ResourceType = 2;
    return Outcome::Read;
}

}  // namespace

bool TAniEX::LoadFromFile(const std::string& path) {
    if (path.empty() || !FileExists(path)) return false;
    const Bytes data = ReadFileBytes(path, kMaxAniFileBytes);
    return LoadFromMemory(data.data(), data.size(), path);
}

bool TAniEX::LoadFromMemory(const std::uint8_t* data, std::size_t size, const std::string& name) {
    Clear();
    Title.clear();
    Creator.clear();
    HasRateChunk = false;
    HasSeqChunk = false;
    loadError_.clear();
    try {
        AniParser parser(*this, data, size, name, loadError_);
        return parser.run() == Outcome::Read;
    } catch (...) {
        Clear();
        Title.clear();
        Creator.clear();
        throw;
    }
}

}  // namespace vornik
