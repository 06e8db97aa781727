#include "app/DocumentOpen.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/EditActions.h"
#include "app/LeaveDocument.h"
#include "app/ReadMessages.h"
#include "app/XcursorDocument.h"
#include "formats/FormatReaders.h"
#include "formats/FormatRegistry.h"
#include "formats/IcnsIconSet.h"
#include "platform/Errors.h"
#include "platform/Message.h"
#include "platform/Notice.h"
#include "platform/Shortcut.h"

namespace vornik {

namespace {

// Clears the busy pointer however the open ends.
struct WaitCursorScope {
    explicit WaitCursorScope(MainState& s) : s_(s) { s_.WaitCursor = true; }
    ~WaitCursorScope() { s_.WaitCursor = false; }
    MainState& s_;
};

std::uint32_t aniDefaultRate(const Settings& settings) {
    return static_cast<std::uint32_t>(std::max(settings.defrate, 0));
}

ReadOptions readOptions(const MainState& s) { return {aniDefaultRate(s.settings)}; }

int pageOf(Yield kind) {
    switch (kind) {
        case Yield::Picture:
            return kBitmapPage;
        case Yield::Animation:
            return kAnimationPage;
        default:
            return kIconPage;
    }
}

void afterBitmapLoaded(MainState& s, const std::string& path) {
    s.edit.Shape1Left = 0;
    s.edit.Shape1Top = 0;
    s.edit.spebx = 0;
    s.edit.speby = 0;
    if (s.RealizePalette) s.RealizePalette(s);
    if (s.TakeInBitmap) s.TakeInBitmap(s);
    s.doc.BitmapFileName = path;
    SetCaptionFile(s, path);
}

// Puts what was read in as its page's document. Only called with a read
// result, so nothing here can leave a half-replaced document.
// noted: how many of the set's load notes the read result's losses already
// name (an Apple icon's images left out), so they are not shown twice.
void install(MainState& s, FileContent& c, const std::string& path, std::size_t noted) {
    switch (c.kind) {
        case Yield::IconSet:
        case Yield::CursorSet:
        case Yield::Cursors:
            s.doc.ExeSet.reset();
            s.doc.IconSet = std::move(c.icons);
            s.doc.ExeShown = false;  // before the refill, which shows the set it names
            s.doc.IconFileName = path;
            s.doc.IconAppleIcon = IsAppleIconFile(path);  // before the refill too: an Apple icon's list shows types
            RefillResourceList(s);
            s.doc.IconXcursor = IsXcursorFile(path);
            if (s.doc.IconAppleIcon) ShowExeLoadNotes(*s.doc.IconSet, path, noted);  // images kept unshown
            break;
        case Yield::ProgramIcons:
            // Why the resource directory was not used, when the file was scanned instead.
            if (c.program->Origins.empty()) ShowExeLoadNotes(*c.program, path);
            s.doc.IconSet.reset();
            s.doc.ExeSet = std::move(c.program);
            s.doc.ExeShown = true;
            RefillResourceList(s);
            s.doc.ExeFileName = path;
            break;
        case Yield::Animation:
            s.doc.AniSet = std::move(c.animation);
            if (s.RefillAnimation) s.RefillAnimation(s);
            if (s.ClearAnimationView) s.ClearAnimationView(s);
            s.doc.AniFileName = path;
            s.doc.AniXcursor = IsXcursorFile(path);
            break;
        case Yield::Picture:
            s.edit.imgbmp = std::move(c.picture);
            afterBitmapLoaded(s, path);
            break;
    }
    SetCaptionFile(s, path);
}

ReadResult<FileContent> readDocument(const MainState& s, const std::string& path) {
    return ReadFileContent(path, readOptions(s));
}

}  // namespace

void ShowExeLoadNotes(const TIconEx& set, const std::string& path, std::size_t from) {
    if (set.LoadNotes.size() <= from) return;
    const std::size_t count = set.LoadNotes.size() - from;
    // A long list of damaged entries is cut so the box still fits the screen.
    constexpr std::size_t kShown = 10;
    std::string text = "\"" + path + "\":";
    for (std::size_t i = 0; i < count && i < kShown; ++i) text += "\n" + set.LoadNotes[from + i];
    if (count <= kShown) return ShowMessage(text);
    ShowMessage(Message("", "%1\n%2",
                        {text, Message("Read", VORNIK_TRANSLATE_NOOP("Read", "(%1 more)"), {count - kShown})}));
}

std::string UpperExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

LoaderChoice ChooseLoader(const std::string& path) {
    const auto format = DetectFileFormat(path);
    if (format.refused) throw EVornikError(RefusalMessage(format.refusal));
    const FileFormat& f = *format.value;
    switch (f.yields) {
        case Yield::Picture:
            return {kBitmapPage, DocumentLoader::Bitmap};
        case Yield::Animation:
            return {kAnimationPage, DocumentLoader::Animation};
        case Yield::Cursors:
            // Xcursor files carry no extension: an animated one goes to the
            // Animation page, a still one to the Icon page as a cursor.
            return IsAnimatedXcursorFile(path) ? LoaderChoice{kAnimationPage, DocumentLoader::Animation}
                                               : LoaderChoice{kIconPage, DocumentLoader::Icon};
        case Yield::ProgramIcons:
            return {kIconPage, DocumentLoader::Exe};
        default:
            return {kIconPage, DocumentLoader::Icon};
    }
}

void OpenDocument(MainState& s, const std::string& path) {
    WaitCursorScope busy(s);
    // Read first: a refused file is never taken as the document, and the
    // previous one, its page and its name stay as they were.
    ReadResult<FileContent> r = readDocument(s, path);
    if (r.refused) throw EVornikError(OpenFailedMessage(path, RefusalMessage(r.refusal)));
    const int page = pageOf(r.value.kind);
    if (!ConfirmLeave(s, page)) return;
    const auto format = DetectFileFormat(path);
    if (!format.refused && format.value->name == "BMP" && UpperExtension(path) != ".BMP" &&
        UpperExtension(path) != ".DIB")
        ShowMessage(Message("Editor", kForeignBitmapNotice));
    s.StatusPanel0 = Message("Status", VORNIK_TRANSLATE_NOOP("Status", "Searching..."));
    s.edit.PageControl1 = page;
    install(s, r.value, path, r.losses.size());
    DocumentReplaced(s, page);
    if (page == kIconPage) s.doc.IconReadWithLosses = !r.losses.empty();
    if (page == kAnimationPage) s.doc.AniReadWithLosses = !r.losses.empty();
    UpdatePageCommands(s, page);
    SetCaptionFile(s, path);
    s.HistoryMenu1.Add(path);
    s.StatusPanel0 = Message("Status", VORNIK_TRANSLATE_NOOP("Status", "Search finished"));
    if (!r.losses.empty()) ShowMessage(LossesMessage(path, r.losses));
}

void NewDocument(MainState& s, const std::function<int()>& chooseKind) {
    if (!ConfirmLeave(s, s.edit.PageControl1)) return;
    switch (s.edit.PageControl1) {
        case kIconPage: {
            const int kind = chooseKind ? chooseKind() : 0;
            s.doc.ExeSet.reset();
            s.doc.IconSet = std::make_unique<TIconCurEX>();
            s.doc.IconSet->ResourceType = kind == 1 ? 2 : 1;
            s.doc.ExeShown = false;
            s.doc.IconAppleIcon = false;
            RefillResourceList(s);
            s.doc.IconFileName.clear();
            s.doc.IconReadWithLosses = false;
            break;
        }
        case kAnimationPage:
            if (s.ClearAnimationView) s.ClearAnimationView(s);
            s.doc.AniSet = std::make_unique<TAniEX>(aniDefaultRate(s.settings));
            if (s.RefillAnimation) s.RefillAnimation(s);
            s.doc.AniFileName.clear();
            s.doc.AniReadWithLosses = false;
            break;
        case kBitmapPage:
            s.edit.imgbmp.reset();
            s.edit.Shape1Left = 0;
            s.edit.Shape1Top = 0;
            s.edit.spebx = 0;
            s.edit.speby = 0;
            if (s.RealizePalette) s.RealizePalette(s);
            if (s.TakeInBitmap) s.TakeInBitmap(s);
            s.doc.BitmapFileName.clear();
            break;
        default:
            break;
    }
    DocumentReplaced(s, s.edit.PageControl1);
    // An executable's disabled commands must not outlive it.
    UpdatePageCommands(s, s.edit.PageControl1);
    SetCaptionFile(s, "");
}

void DropFiles(MainState& s, const std::vector<std::string>& paths) {
    if (paths.empty() || paths.front().empty()) return;
    const std::string& dropped = paths.front();
    const std::string target = ResolveShortcut(dropped);
    OpenDocument(s, target.empty() ? dropped : target);
}

void OpenImportSource(MainState& s) {
    Document& d = s.doc;
    d.ImportIconSet.reset();
    d.ImportAniSet.reset();
    d.ImportExeSet.reset();
    ReadResult<FileContent> r = readDocument(s, d.ImportFileName);
    if (r.refused) throw EVornikError(OpenFailedMessage(d.ImportFileName, RefusalMessage(r.refusal)));
    if (!r.losses.empty()) ShowMessage(LossesMessage(d.ImportFileName, r.losses));
    switch (r.value.kind) {
        case Yield::Animation:
            d.ImportKind = 2;
            d.ImportAniSet = std::move(r.value.animation);
            break;
        case Yield::ProgramIcons:
            d.ImportKind = 3;
            d.ImportExeSet = std::move(r.value.program);
            break;
        case Yield::Picture:
            throw EVornikError(OpenFailedMessage(d.ImportFileName, RefusalMessage({RefusalCode::NotForCommand, {}, {}})));
        default:
            d.ImportKind = r.value.kind == Yield::CursorSet ? 1 : 0;
            d.ImportIconSet = std::move(r.value.icons);
            break;
    }
}

}  // namespace vornik
