// Reading of ANI files (RIFF form "ACON") into a TAniEX.
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "anim/AniMessages.h"
#include "anim/InfoText.h"
#include "anim/TAniEX.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/IconImageReader.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/FileMessages.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

// Largest ANI file we read into memory.
constexpr std::uint64_t kMaxAniFileBytes = 1ull << 30;

enum class Outcome { Read, Refused };

// Walks the chunks of one file. RIFF lets a reader skip what it does not
// know, so unknown chunks are passed over by their size; the RIFF size is
// only a hint, the walk goes on to the end of the real chunks. Sizes from the
// file are checked against the bytes present before they are used: a known
// chunk that runs past the end of the file throws EInOutError (the file ends
// early), a frame image that does not read stops the reading as a damaged file.
// Steps are settled once the walk is over, so "rate" and "seq " may come
// before "anih".
class AniParser {
public:
    AniParser(TAniEX& set, const std::uint8_t* data, std::size_t size, const std::string& name,
              std::string& error)
        : set_(set), data_(data), size_(size), name_(name), error_(error) {}

    Outcome run();

private:
    [[noreturn]] void endsEarly(const char* what) const {
        throw EEndOfFile(Message("Files", filemsg::kBeyondEnd, {name_, what, pos_}));
    }
    std::size_t left() const { return size_ - pos_; }
    void need(std::uint64_t n, const char* what) const {
        if (n > left()) endsEarly(what);
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
    bool peekTag(const char* t) const { return left() >= 4 && std::memcmp(data_ + pos_, t, 4) == 0; }
    // Passes over n bytes of chunk data and its pad byte; false when they run
    // past the end of the file (the walk then ends there).
    bool skip(std::uint64_t n) {
        if (n > left()) return false;
        pos_ += static_cast<std::size_t>(n);
        if (n % 2 != 0 && left() > 0) ++pos_;
        return true;
    }
    // Stops the reading: no frames, the message names the chunk.
    void damaged(const std::string& tagText, const std::string& why) {
        ShowMessage(animsg::Damaged(tagText));
        set_.Clear();
        set_.FrameImages.clear();
        set_.AnimHeader.StepCount = 0;  // no step may name a frame that is not there
        error_ = "\"" + name_ + "\" is damaged: " + why;
        stopped_ = true;
    }
    // Passes over one frame chunk whose images do not read: the frames before
    // and after it stay, the loss names the frame by its place in the file.
    void dropFrame(const std::string& frameName, const std::string& why) {
        ShowMessage(animsg::Damaged("icon"));
        set_.LoadLosses.push_back({LossCode::FrameDropped, frameName, fileFrames_, why});
        frameDropped_ = true;
    }

    void readHeader();
    void readValues(std::vector<std::int32_t>& into, const char* what);
    void readText(std::string& into);
    // False when reading is to stop.
    bool readIcon();
    bool readImage(std::size_t limit, std::size_t offset, const std::uint8_t* directory,
                   const std::string& frameName, FrameImage& image, IconEntry& decoded, std::size_t& next);
    void settleSteps();

    TAniEX& set_;
    const std::uint8_t* data_;
    std::size_t size_;
    const std::string& name_;
    std::string& error_;
    std::size_t pos_ = 0;
    bool sawHeader_ = false;
    bool stopped_ = false;
    bool framesFull_ = false;
    bool frameDropped_ = false;
    std::uint64_t fileFrames_ = 0;  // icon chunks met so far
    std::vector<int> frameMap_;     // frame number in the file -> index in the set, -1 when dropped
    std::uint64_t framesLeftOut_ = 0;
    std::vector<std::int32_t> rates_;  // "rate" values as the chunk holds them
    std::vector<std::int32_t> seq_;    // "seq " values as the chunk holds them
    std::size_t decoded_ = 0;          // bytes of frame images decoded so far
};

void AniParser::readHeader() {
    const std::uint32_t size = u32("anih size");
    need(AniHeader::kSize, "anih");
    set_.AnimHeader = AniHeader::Read(data_ + pos_);
    pos_ += AniHeader::kSize;
    // A longer header is passed over; the 36 bytes read are all we know of.
    if (size > AniHeader::kSize && !skip(size - AniHeader::kSize)) pos_ = size_;
    AniHeader& h = set_.AnimHeader;
    if (h.DisplayRate == 0) h.DisplayRate = set_.DefaultRate;
}

// "rate" and "seq " hold one 32-bit value per step; they are read by their
// own size and matched to the steps once the header is known.
void AniParser::readValues(std::vector<std::int32_t>& into, const char* what) {
    const std::uint32_t size = u32(what);
    need(size, what);
    const std::size_t n = std::min<std::size_t>(size / 4, TAniEX::kMaxSteps);
    into.clear();
    for (std::size_t i = 0; i < n; ++i) into.push_back(ReadI32LE(data_ + pos_ + 4 * i));
    skip(size);
}

void AniParser::readText(std::string& into) {
    std::uint64_t n = u32("text size");
    need(n, "text");
    const char* p = reinterpret_cast<const char*>(data_ + pos_);
    into.assign(p, strnlen(p, static_cast<std::size_t>(n)));
    skip(n);
}

// One image of an icon chunk at data_[offset], read no further than limit.
bool AniParser::readImage(std::size_t limit, std::size_t offset, const std::uint8_t* directory,
                          const std::string& frameName, FrameImage& image, IconEntry& decoded,
                          std::size_t& next) {
    decoded.ReadDirectory(directory);
    const std::string problem = ReadIconImage(data_, limit, offset, decoded, &next);
    if (!problem.empty()) {
        dropFrame(frameName, problem);
        return false;
    }
    // Compressed images can expand far beyond the file; a real file stays well below this.
    decoded_ += HeldBytes(decoded);
    if (decoded_ > kMaxDecodedImageBytes) {
        damaged("icon", frameName + ": the frames together decode to more than " +
                            std::to_string(kMaxDecodedImageBytes >> 20) + " MiB");
        return false;
    }
    std::copy_n(directory, IconEntry::kDirectorySize, image.Directory.begin());
    image.Data.assign(data_ + offset, data_ + next);
    const BitmapInfoHeader h = BitmapInfoHeader::Read(decoded.InfoHeader.data());
    image.Width = h.biWidth;
    image.Height = h.biHeight;
    image.BitCount = h.biBitCount;
    return true;
}

bool AniParser::readIcon() {
    const std::uint32_t chunkSize = u32("icon size");
    need(chunkSize, "icon");
    const std::size_t start = pos_;
    const std::size_t end = start + chunkSize;
    // An odd-sized chunk is followed by a pad byte.
    const std::size_t after = (chunkSize % 2 != 0 && end < size_) ? end + 1 : end;
    const int index = set_.Count;
    if (framesFull_ || index >= TIconEx::kMaxEntries) {
        if (!framesFull_) ShowMessage(animsg::TooManyFrames());
        ++framesLeftOut_;
        framesFull_ = true;
        pos_ = after;
        return true;
    }
    const std::string frameName = "frame " + std::to_string(fileFrames_);
    // Whatever happens to this frame, the walk goes on after its chunk.
    struct Onward {
        AniParser& p;
        std::size_t after;
        int kept;
        ~Onward() {
            if (p.stopped_) return;
            p.frameMap_.push_back(p.set_.Count > kept ? kept : -1);
            ++p.fileFrames_;
            if (p.set_.Count == kept) p.pos_ = after;
        }
    } onward{*this, after, index};
    if (chunkSize < 6 + IconEntry::kDirectorySize) {
        dropFrame(frameName, "icon chunk too short");
        return true;
    }
    const std::uint16_t count = ReadU16LE(data_ + start + 4);
    if (count == 0) {
        dropFrame(frameName, "no image in the icon chunk");
        return true;
    }
    const std::uint64_t directoryEnd = 6 + std::uint64_t{IconEntry::kDirectorySize} * count;
    if (directoryEnd > chunkSize) {
        dropFrame(frameName, "image directory runs past the icon chunk");
        return true;
    }
    // A lone bitmap image may run past a chunk size that is too small, and the
    // reading goes on after it; several images stay inside their chunk.
    const std::size_t limit = count == 1 ? size_ : end;
    FrameImageList list;
    IconEntry shown;
    std::size_t cursor = start + static_cast<std::size_t>(directoryEnd);
    std::size_t lastEnd = after;
    for (int k = 0; k < count; ++k) {
        const std::uint8_t* directory = data_ + start + 6 + IconEntry::kDirectorySize * static_cast<std::size_t>(k);
        // Images follow the directory one after another; an offset that points
        // elsewhere inside the chunk is followed.
        const std::uint32_t stated = ReadU32LE(directory + 12);
        const std::size_t offset = stated >= directoryEnd && stated < chunkSize ? start + stated : cursor;
        const std::string name = count == 1 ? frameName : frameName + " image " + std::to_string(k);
        FrameImage image;
        IconEntry decoded;
        std::size_t imageEnd = 0;
        if (!readImage(limit, offset, directory, name, image, decoded, imageEnd)) return !stopped_;
        list.Images.push_back(std::move(image));
        // Only the image the editor shows is held decoded.
        if (k == NearestTo32(list.Images)) shown = std::move(decoded);
        cursor = imageEnd;
        if (count == 1 && !IsPngImage(data_, size_, offset)) lastEnd = std::max(after, imageEnd);
    }
    list.Shown = NearestTo32(list.Images);
    IconEntry& e = set_.Entries[static_cast<std::size_t>(index)];
    e = std::move(shown);
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    e.Width = static_cast<std::uint8_t>(h.biWidth);
    e.Height = static_cast<std::uint8_t>(h.biHeight);
    e.ColorCount = DirectoryColorCount(h.biBitCount);
    e.EntryReserved = 0;
    if (count > 1) {
        e.ImageOffset = 22;
        e.ImageSize = static_cast<std::uint32_t>(e.InfoHeader.size() + e.XorBits.size() + e.AndBits.size());
    }
    list.RememberShown(e);
    set_.FrameImages.resize(static_cast<std::size_t>(index));
    set_.FrameImages.push_back(std::move(list));
    ++set_.Count;
    pos_ = lastEnd;
    return true;
}

// The step list as the header, "rate" and "seq " give it, made to fit the
// frames really read: missing rates are the header's, a missing sequence is
// "step i shows frame i", and steps that name no frame are dropped.
void AniParser::settleSteps() {
    AniHeader& h = set_.AnimHeader;
    const int frames = set_.Count;
    h.FrameCount = static_cast<std::uint32_t>(frames);
    if (h.StepCount > TAniEX::kMaxSteps) {
        ShowMessage(animsg::TooManySteps());
        set_.LoadLosses.push_back({LossCode::StepsDropped, {}, h.StepCount - TAniEX::kMaxSteps, {}});
        h.StepCount = TAniEX::kMaxSteps;
    }
    const auto rate = static_cast<std::int32_t>(std::min<std::uint32_t>(h.DisplayRate, INT32_MAX));
    int steps = 0;
    std::uint64_t dropped = 0;
    for (int i = 0; i < static_cast<int>(h.StepCount); ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::int32_t frame = at < seq_.size() ? seq_[at] : i;
        if (frame < 0 || static_cast<std::size_t>(frame) >= frameMap_.size()) {
            ++dropped;
            continue;
        }
        // A step of a dropped frame goes with it; that loss is already told.
        const int kept = frameMap_[static_cast<std::size_t>(frame)];
        if (kept < 0) continue;
        set_.Steps[static_cast<std::size_t>(steps++)] = {at < rates_.size() ? rates_[at] : rate, kept};
    }
    if (dropped > 0) {
        ShowMessage(animsg::SeqFrameTooLarge());
        set_.LoadLosses.push_back({LossCode::StepsDropped, "seq", dropped, {}});
    }
    // An animation needs steps to play: without any, every frame is shown once.
    if (steps == 0) {
        steps = std::min(frames, TAniEX::kMaxSteps);
        for (int i = 0; i < steps; ++i) set_.Steps[static_cast<std::size_t>(i)] = {rate, i};
    }
    h.StepCount = static_cast<std::uint32_t>(steps);
}

Outcome AniParser::run() {
    std::string t = tag();
    if (t != "RIFF") {
        ShowMessage(animsg::NotAniRiff(t));
        error_ = "\"" + name_ + "\" is not an animated cursor (no RIFF header)";
        return Outcome::Refused;
    }
    u32("RIFF size");  // only a hint: the chunks themselves say where the file ends
    t = tag();
    if (t != "ACON") {
        ShowMessage(animsg::NotAniAcon(t));
        error_ = "\"" + name_ + "\" is not an animated cursor (RIFF form is not ACON)";
        return Outcome::Refused;
    }
    // Fewer than 8 bytes cannot hold a chunk: trailing bytes end the walk.
    while (!stopped_ && left() >= 8) {
        t = tag();
        if (t == "anih") {
            if (sawHeader_) {
                damaged(t, "second anih chunk");
                break;
            }
            sawHeader_ = true;
            readHeader();
        } else if (t == "rate") {
            set_.HasRateChunk = true;
            readValues(rates_, "rate");
        } else if (t == "seq ") {
            set_.HasSeqChunk = true;
            readValues(seq_, "seq");
        } else if (t == "LIST") {
            // The frame and information lists are walked in the same loop as
            // top-level chunks, so a list size that is a little off does no
            // harm; any other list is passed over.
            const std::uint32_t listSize = u32("LIST size");
            if (peekTag("fram") || peekTag("INFO")) {
                pos_ += 4;
            } else if (!skip(listSize)) {
                break;
            }
        } else if (t == "fram" || t == "INFO") {
        } else if (t == "INAM") {
            readText(set_.Title);
        } else if (t == "IART") {
            readText(set_.Creator);
        } else if (t == "icon") {
            if (!readIcon()) break;
        } else if (!skip(u32("chunk size"))) {
            break;  // a chunk we do not know that runs past the end: trailing bytes
        }
    }
    set_.ResourceType = 2;
    if (framesLeftOut_ > 0) set_.LoadLosses.push_back({LossCode::EntriesLeftOut, "frames", framesLeftOut_, {}});
    if (stopped_) return Outcome::Read;
    if (!sawHeader_) {
        damaged("anih", "no anih chunk");
    } else if (set_.Count == 0 && frameDropped_) {
        // Every frame was dropped (and told): the file is damaged for the frame that went first.
        const Loss first = set_.LoadLosses.front();
        set_.Clear();
        set_.FrameImages.clear();
        set_.AnimHeader.StepCount = 0;
        error_ = "\"" + name_ + "\" is damaged: " + first.where + ": " + first.detail;
    } else if (set_.Count == 0) {
        damaged("icon", "no frames");
    } else {
        settleSteps();
    }
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
    FrameImages.clear();
    Title.clear();
    Creator.clear();
    HasRateChunk = false;
    HasSeqChunk = false;
    LoadLosses.clear();
    KeepInfoUtf8 = false;
    loadError_.clear();
    try {
        AniParser parser(*this, data, size, name, loadError_);
        const bool read = parser.run() == Outcome::Read;
        // A file that stores its texts as UTF-8 is saved so again.
        KeepInfoUtf8 = HeldAsUtf8(Title) || HeldAsUtf8(Creator);
        return read;
    } catch (...) {
        Clear();
        FrameImages.clear();
        Title.clear();
        Creator.clear();
        throw;
    }
}

}  // namespace vornik
