// Runs one file through every reader the program has, as the editor and the
// command line use them, and fails when a reader crashes (the sanitizers
// report it), takes more than the time budget or makes the process hold more
// than the memory budget (processor seconds; peak resident size). A refusal with one of our exceptions is a clean
// outcome, as is a clean read.
//
//   read_with_every_reader [--max-seconds S] [--max-rss-mb M] FILE...
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "anim/TAniEX.h"
#include "anim/XcursorConvert.h"
#include "imaging/BmpContent.h"
#include "imaging/ByteReadStream.h"
#include "imaging/JpegDIB.h"
#include "imaging/PictureView.h"
#include "imaging/SvgSandbox.h"
#include "imaging/SvgSource.h"
#include "imaging/TQvClipboard.h"
#include "imaging/TQvDIB.h"
#include "model/EntryConversion.h"
#include "model/ExeResourceSet.h"
#include "model/ExeResources.h"
#include "model/ExeScanner.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "model/RenderEntry.h"
#include "model/TIconEx.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/Notice.h"

namespace {

using vornik::Bytes;

class Silent : public vornik::NoticeHandler {
public:
    void message(const vornik::Message&) override {}
    void warning(const vornik::Message&) override {}
    bool askYesNo(const vornik::Message&) override { return false; }
};

// What the editor does with a set it has read: every entry becomes a picture
// pair and a list thumbnail.
void showEntries(vornik::TIconEx& set) {
    for (int i = 0; i < set.Count; ++i) {
        try {
            vornik::TQvDIB image, mask;
            vornik::EntryToDIBs(set, image, mask, i);
            vornik::RenderEntry(set, i);
        } catch (const vornik::EVornikError&) {
            // An entry whose header forms no picture is refused on its own.
        }
    }
}

bool readIcon(const Bytes& b) {
    vornik::TIconCurEX set;
    if (!set.LoadFromBytes(b, "crasher.ico")) return false;
    showEntries(set);
    return true;
}

bool readAni(const Bytes& b) {
    vornik::TAniEX set;
    if (!set.LoadFromMemory(b.data(), b.size(), "crasher.ani")) return false;
    showEntries(set);
    return true;
}

// A bitmap file as the Bitmap page takes it: RLE decoded for drawing.
bool readBitmap(const Bytes& b) {
    vornik::TQvDIB dib;
    dib.LoadFromBytes(b);
    (void)vornik::DrawableSource(dib);
    return true;
}

bool readClipboardBlock(const Bytes& b) {
    vornik::TQvDIB dib;
    dib.LoadFromClipboardFormat(vornik::CF_DIB, &b, nullptr);
    (void)vornik::DrawableSource(dib);
    return true;
}

bool readJpeg(const Bytes& b) {
    vornik::TQvDIB dib;
    vornik::LoadJpegIntoDIB(b.data(), b.size(), dib);
    return true;
}

// A PNG-compressed icon image, and a PNG picture file.
bool readPng(const Bytes& b) {
    vornik::IconEntry entry;
    std::size_t consumed = 0;
    const bool entryRead = vornik::DecodePngIconImage(b.data(), b.size(), entry, &consumed).empty();
    int w = 0, h = 0;
    Bytes bgra;
    const bool pictureRead = vornik::DecodePngBgra(b.data(), b.size(), 8192, &w, &h, bgra).empty();
    return entryRead || pictureRead;
}

bool scanExe(const Bytes& b) {
    vornik::TExeEXsub set;
    (void)vornik::ScanExeImages(b.data(), b.size(), set);
    showEntries(set);
    return set.Count > 0;
}

// The resource directory of a PE or NE program, as icons are taken out of it.
bool readResources(const Bytes& b) {
    const vornik::ExeResources r = vornik::ReadExeResources(b.data(), b.size());
    if (!r.present) return false;
    vornik::TExeEXsub set;
    vornik::FillSetFromResources(b.data(), b.size(), r, set);
    showEntries(set);
    return set.Count > 0;
}

bool readXcursor(const Bytes& b) {
    const auto images = vornik::ReadXcursor(b.data(), b.size(), "crasher");
    const vornik::XcursorConversion c = vornik::XcursorToSets(images);
    if (c.cursor) showEntries(*c.cursor);
    if (c.animation) showEntries(*c.animation);
    return true;
}

// An SVG drawn as the command line draws it: in a child process with a
// budget of its own, here the suite's.
double svgSeconds = 2;
bool readSvg(const Bytes& b) {
    const vornik::SvgSource source = vornik::MakeSvgSource(b, "");
    vornik::SvgBudget budget;
    budget.seconds = static_cast<int>(svgSeconds + 0.5) > 0 ? static_cast<int>(svgSeconds + 0.5) : 1;
    (void)vornik::RenderSvg(source, {{32, 32}, {0, 0}}, budget);
    return true;
}

bool sniffBitmap(const Bytes& b) {
    return vornik::IsBmpContent(b.data(), b.size() < 54 ? b.size() : 54, b.size());
}

struct Reader {
    const char* name;
    std::function<bool(const Bytes&)> read;
};

const std::vector<Reader>& readers() {
    static const std::vector<Reader> all{
        {"ico/cur", readIcon},       {"ani", readAni},   {"bmp/dib", readBitmap},
        {"clipboard", readClipboardBlock}, {"jpeg", readJpeg}, {"png", readPng},
        {"exe scan", scanExe},       {"resources", readResources}, {"xcursor", readXcursor},
        {"svg", readSvg},            {"bmp sniff", sniffBitmap},
    };
    return all;
}

long peakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    double maxSeconds = 2;
    long maxRssMb = 512;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--max-seconds" && i + 1 < argc)
            maxSeconds = svgSeconds = std::atof(argv[++i]);
        else if (a == "--max-rss-mb" && i + 1 < argc)
            maxRssMb = std::atol(argv[++i]);
        else
            files.push_back(a);
    }
    Silent silent;
    vornik::ScopedNoticeHandler scope(&silent);
    int failures = 0;
    for (const std::string& path : files) {
        const Bytes bytes = vornik::ReadFileBytes(path);
        for (const Reader& r : readers()) {
            // Processor time, not wall time: the machines that run the tests
            // are shared, and a busy one must not fail a reader.
            const std::clock_t start = std::clock();
            std::string outcome = "read";
            try {
                if (!r.read(bytes)) outcome = "refused (nothing found)";
            } catch (const vornik::EVornikError& e) {
                outcome = std::string("refused: ") + e.what();
            } catch (const std::bad_alloc&) {
                outcome = "OUT OF MEMORY";
                ++failures;
            } catch (const std::exception& e) {
                outcome = std::string("FOREIGN EXCEPTION: ") + e.what();
                ++failures;
            }
            const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
            const long rss = peakRssMb();
            const bool slow = seconds > maxSeconds, big = rss > maxRssMb;
            failures += slow + big;
            std::printf("%-10s %6.3f s %5ld MB  %s%s%s\n", r.name, seconds, rss, outcome.substr(0, 100).c_str(),
                        slow ? "  OVER TIME" : "", big ? "  OVER MEMORY" : "");
        }
    }
    return failures == 0 ? 0 : 1;
}
