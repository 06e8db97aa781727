#include "app/DocumentOpen.h"

#include "platform/HeldNotices.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/EditActions.h"
#include "app/IsBmpFile.h"
#include "app/LeaveDocument.h"
#include "app/PictureFiles.h"
#include "app/XcursorDocument.h"
#include "formats/IcnsIconSet.h"
#include "platform/Errors.h"
#include "platform/Notice.h"
#include "platform/Shortcut.h"
#include "platform/TempFolder.h"

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

// Reads a bitmap in disguise through a copy under a bitmap name; the copy is
// removed on every way out. The copy goes into a folder of its own made
// fresh under the temporary folder: a fixed name directly in a shared /tmp
// could be a link planted by someone else, and copying onto it would
// overwrite whatever it points to.
TQvDIB loadThroughTempCopy(const std::string& path) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::path(TempFolder()) / "vornik-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw EInOutError("Cannot create a temporary folder in \"" + TempFolder() + "\"");
    const fs::path folder = pattern;
    const fs::path copy = folder / kTempBitmapName;
    struct RemoveCopy {
        fs::path folder;
        ~RemoveCopy() {
            std::error_code e;
            fs::remove_all(folder, e);
        }
    } remover{folder};
    std::error_code ec;
    fs::copy_file(path, copy, fs::copy_options::overwrite_existing, ec);
    if (ec) throw EInOutError("Cannot copy file \"" + path + "\" to \"" + copy.string() + "\"");
    return LoadBitmapPicture(copy.string());
}

// What a file's first bytes say it is, for files that no reader of ours
// takes whole: the icon reader is not handed a picture under an icon name.
std::string PictureKindByContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[8] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    if (in.gcount() == 8 && head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G')
        return "PNG";
    if (in.gcount() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return "JPEG";
    return {};
}

}  // namespace

void ShowExeLoadNotes(const TIconEx& set, const std::string& path) {
    if (set.LoadNotes.empty()) return;
    // A long list of damaged entries is cut so the box still fits the screen.
    constexpr std::size_t kShown = 10;
    std::string text = "\"" + path + "\":";
    for (std::size_t i = 0; i < set.LoadNotes.size() && i < kShown; ++i) text += "\r" + set.LoadNotes[i];
    if (set.LoadNotes.size() > kShown)
        text += "\r(" + std::to_string(set.LoadNotes.size() - kShown) + " more)";
    ShowMessage(text);
}

std::string UpperExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

LoaderChoice ChooseLoader(const std::string& path) {
    const std::string ext = UpperExtension(path);
    if (ext == ".BMP" || ext == ".DIB" || ext == ".JPG" || ext == ".JPEG" || IsSvgExtension(path))
        return {kBitmapPage, DocumentLoader::Bitmap};
    if (IsBmpFile(path)) return {kBitmapPage, DocumentLoader::Bitmap};
    // An animated cursor saved under another name would otherwise be scanned
    // as an executable and show stray frames on the Icon page.
    if (IsAniFile(path)) return {kAnimationPage, DocumentLoader::Animation};
    // Xcursor files carry no extension: an animated one goes to the
    // Animation page, a still one to the Icon page as a cursor.
    if (IsXcursorFile(path))
        return IsAnimatedXcursorFile(path) ? LoaderChoice{kAnimationPage, DocumentLoader::Animation}
                                           : LoaderChoice{kIconPage, DocumentLoader::Icon};
    if (IsAppleIconFile(path)) return {kIconPage, DocumentLoader::Icon};
    if (ext == ".ICO" || ext == ".CUR") return {kIconPage, DocumentLoader::Icon};
    if (ext == ".ANI") return {kAnimationPage, DocumentLoader::Animation};
    return {kIconPage, DocumentLoader::Exe};
}

void OpenDocument(MainState& s, const std::string& path) {
    LoaderChoice choice;
    try {
        choice = ChooseLoader(path);
    } catch (const std::exception& e) {
        throw EVornikError(OpenFailedMessage(path, e.what()));
    }
    if (!ConfirmLeave(s, choice.page)) return;
    WaitCursorScope busy(s);
    s.StatusPanel0 = "検索中...";
    const int previous = s.edit.PageControl1;
    s.edit.PageControl1 = choice.page;
    try {
        switch (choice.loader) {
            case DocumentLoader::Bitmap:
                OpenBitmapFile(s, path);
                break;
            case DocumentLoader::Icon:
                OpenIconFile(s, path);
                break;
            case DocumentLoader::Animation:
                OpenAniFile(s, path);
                break;
            case DocumentLoader::Exe:
                OpenExeFile(s, path);
                break;
        }
    } catch (const std::exception& e) {
        // The loaders replace a document only once it was read: the previous
        // one stays, and so does its page and its name.
        s.edit.PageControl1 = previous;
        UpdatePageCommands(s, previous);
        SetCaptionFile(s, s.doc.FileNameOfPage(previous));
        s.StatusPanel0.clear();
        throw EVornikError(OpenFailedMessage(path, e.what()));
    }
    DocumentReplaced(s, choice.page);
    UpdatePageCommands(s, choice.page);
    SetCaptionFile(s, path);
    s.HistoryMenu1.Add(path);
    s.StatusPanel0 = "検索終了";
}

namespace {
// Why a reader refused a file: its own Japanese notices when it gave any, else
// its recorded reason.
std::string RefusalText(const HeldNotices& said, const std::string& kind, const std::string& loadError) {
    const std::string head = kind + "のファイルとして読めません";
    if (!said.Text().empty()) return head + "。\n" + said.Text();
    return loadError.empty() ? head + "。" : head + ": " + loadError;
}
}  // namespace

std::string OpenFailedMessage(const std::string& path, const std::string& reason) {
    const std::string name = std::filesystem::path(path).filename().string();
    return "ファイル「" + name + "」を開けませんでした。\n" + reason + "\n(" + path + ")";
}

void OpenIconFile(MainState& s, const std::string& path) {
    std::unique_ptr<TIconCurEX> set;
    if (IsXcursorFile(path)) {
        set = LoadXcursorAsCursor(path);
    } else if (IsAppleIconFile(path)) {
        set = LoadAppleIconAsIconSet(path);
        ShowExeLoadNotes(*set, path);  // images left out on reading
    } else {
        const std::string picture = PictureKindByContent(path);
        if (!picture.empty())
            throw EVornikError("中身は " + picture + " 画像です。アイコンやカーソルのファイルではありません。");
        set = std::make_unique<TIconCurEX>();
        // A refused file must not become an empty document under its name: a
        // later save would write over the file that was never read. What the
        // reader said goes into the one failure message.
        HeldNotices said;
        if (!set->LoadFromFile(path)) throw EVornikError(RefusalText(said, "アイコンまたはカーソル", set->LoadError()));
        said.Release();
    }
    s.doc.ExeSet.reset();
    s.doc.IconSet = std::move(set);
    s.doc.ExeShown = false;  // before the refill, which shows the set it names
    s.doc.IconFileName = path;
    s.doc.IconAppleIcon = IsAppleIconFile(path);  // before the refill too: an Apple icon's list shows types
    RefillResourceList(s);
    s.doc.IconXcursor = IsXcursorFile(path);
    SetCaptionFile(s, path);
}

void OpenExeFile(MainState& s, const std::string& path) {
    auto set = std::make_unique<TExeEXsub>();
    set->LoadFromExe(path);
    ShowExeLoadNotes(*set, path);
    s.doc.IconSet.reset();
    s.doc.ExeSet = std::move(set);
    s.doc.ExeShown = true;
    RefillResourceList(s);
    s.doc.ExeFileName = path;
    SetCaptionFile(s, path);
}

void OpenAniFile(MainState& s, const std::string& path) {
    std::unique_ptr<TAniEX> set;
    if (IsXcursorFile(path)) {
        set = LoadXcursorAsAnimation(path, aniDefaultRate(s.settings));
    } else {
        set = std::make_unique<TAniEX>(aniDefaultRate(s.settings));
        HeldNotices said;
        if (!set->LoadFromFile(path)) throw EVornikError(RefusalText(said, "アニメーションカーソル", set->LoadError()));
        said.Release();
    }
    s.doc.AniSet = std::move(set);
    if (s.RefillAnimation) s.RefillAnimation(s);
    if (s.ClearAnimationView) s.ClearAnimationView(s);
    s.doc.AniFileName = path;
    s.doc.AniXcursor = IsXcursorFile(path);
    SetCaptionFile(s, path);
}

void OpenBitmapFile(MainState& s, const std::string& path) {
    const std::string ext = UpperExtension(path);
    if (ext == ".BMP" || ext == ".DIB") {
        s.edit.imgbmp = LoadBitmapPicture(path);
    } else if (ext == ".JPG" || ext == ".JPEG") {
        s.edit.imgbmp = LoadJpegPicture(path);
    } else if (IsSvgExtension(path)) {
        s.edit.imgbmp = LoadSvgPicture(path);
    } else {
        ShowMessage(kForeignBitmapNotice);
        s.edit.imgbmp = loadThroughTempCopy(path);
    }
    afterBitmapLoaded(s, path);
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
            break;
        }
        case kAnimationPage:
            if (s.ClearAnimationView) s.ClearAnimationView(s);
            s.doc.AniSet = std::make_unique<TAniEX>(aniDefaultRate(s.settings));
            if (s.RefillAnimation) s.RefillAnimation(s);
            s.doc.AniFileName.clear();
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
    const std::string ext = UpperExtension(d.ImportFileName);
    if (IsAppleIconFile(d.ImportFileName)) {
        d.ImportKind = 0;
        d.ImportIconSet.reset();
        d.ImportIconSet = LoadAppleIconAsIconSet(d.ImportFileName);
    } else if (ext == ".ICO" || ext == ".CUR") {
        d.ImportKind = ext == ".ICO" ? 0 : 1;
        d.ImportIconSet.reset();
        auto set = std::make_unique<TIconCurEX>();
        set->LoadFromFile(d.ImportFileName);
        d.ImportIconSet = std::move(set);
    } else if (ext == ".ANI") {
        d.ImportKind = 2;
        d.ImportAniSet.reset();
        auto set = std::make_unique<TAniEX>(aniDefaultRate(s.settings));
        set->LoadFromFile(d.ImportFileName);
        d.ImportAniSet = std::move(set);
    } else {
        d.ImportKind = 3;
        d.ImportExeSet.reset();
        auto set = std::make_unique<TExeEXsub>();
        set->LoadFromExe(d.ImportFileName);
        d.ImportExeSet = std::move(set);
    }
}

}  // namespace vornik
