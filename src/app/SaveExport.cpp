#include "app/SaveExport.h"

#include <algorithm>
#include <filesystem>

#include "app/AnimationPage.h"
#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/SetCopy.h"
#include "app/UndoCommands.h"
#include "app/XcursorDocument.h"
#include "formats/IcnsIconSet.h"
#include "imaging/AlphaMask.h"
#include "imaging/BmpAlpha.h"
#include "imaging/JpegDIB.h"
#include "imaging/PictureView.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "platform/FileDialogs.h"
#include "platform/FileIO.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

struct Busy {
    explicit Busy(MainState& s) : s_(s) { s_.WaitCursor = true; }
    ~Busy() { s_.WaitCursor = false; }
    MainState& s_;
};

// current: the document's file, so that Save As starts in its folder with its name.
std::optional<FileDialogAnswer> AskSave(const char* filter, const char* defaultExt,
                                        const std::string& current = {}) {
    FileDialogRequest r;
    if (!current.empty()) {
        const std::filesystem::path p(current);
        r.initialDir = p.parent_path().string();
        r.fileName = p.filename().string();
    }
    r.dialog = kSaveDialogName;
    r.filter = filter;
    r.filterIndex = 1;
    r.defaultExt = defaultExt;
    return AskSaveFile(r);
}

// Before a document read with losses is written over its file: "yes"
// overwrites; "no" (also Escape, or no one to answer) goes to Save As, whose
// chooser can still be cancelled.
enum class LossyAnswer { Overwrite, SaveAs };
LossyAnswer askBeforeOverwriting(const std::string& path) {
    return AskYesNo(LossySaveQuestion(path)) ? LossyAnswer::Overwrite : LossyAnswer::SaveAs;
}

}  // namespace

Message LossySaveQuestion(const std::string& path) {
    return Message("Editor",
                   VORNIK_TRANSLATE_NOOP("Editor",
                                         "\"%1\" could not be read in full.\nOverwriting it loses the parts "
                                         "that could not be read from the file.\nOverwrite it? (No: save "
                                         "under another name)"),
                   {std::filesystem::path(path).filename().string()});
}

void ChangeResourceKind(TIconEx& set, int resourceType) {
    if (resourceType != 1 && resourceType != 2) return;
    set.ResourceType = static_cast<std::uint16_t>(resourceType);
    for (int i = 0; i < set.Count; ++i) {
        IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        // A cursor's hot spot fields hold an icon's planes and bit count.
        const int bits = e.InfoHeader.size() >= 16 ? ReadU16LE(e.InfoHeader.data() + 14) : 0;
        e.HotSpotX = static_cast<std::uint16_t>(resourceType == 2 ? 0 : 1);
        e.HotSpotY = static_cast<std::uint16_t>(resourceType == 2 ? 0 : bits);
    }
}

bool SaveDocument(MainState& s) {
    Document& d = s.doc;
    switch (s.edit.PageControl1) {
        case kIconPage:
            if (!d.IconSet || d.ExeShown) return false;
            if (d.IconFileName.empty()) return SaveDocumentAs(s);
            if (d.IconReadWithLosses) {
                const LossyAnswer a = askBeforeOverwriting(d.IconFileName);
                if (a == LossyAnswer::SaveAs) return SaveDocumentAs(s);
            }
            if (d.IconSet->ResourceType == 2 && d.IconXcursor)
                SaveCursorSetAsXcursor(*d.IconSet, d.IconFileName);
            else if (d.IconAppleIcon)
                SaveIconSetAsAppleIcon(*d.IconSet, d.IconFileName);
            else
                d.IconSet->SaveToFile(d.IconFileName);
            MarkClean(s, kIconPage);
            d.IconReadWithLosses = false;
            return true;
        case kAnimationPage:
            if (!d.AniSet) return false;
            if (d.AniFileName.empty()) return SaveDocumentAs(s);
            if (d.AniReadWithLosses) {
                const LossyAnswer a = askBeforeOverwriting(d.AniFileName);
                if (a == LossyAnswer::SaveAs) return SaveDocumentAs(s);
            }
            if (d.AniXcursor)
                SaveAnimationAsXcursor(*d.AniSet, d.AniFileName);
            else {
                SettleInfoEncoding(*d.AniSet);
                d.AniSet->SaveToFile(d.AniFileName);
            }
            MarkClean(s, kAnimationPage);
            d.AniReadWithLosses = false;
            return true;
        default:
            return false;
    }
}

bool SaveDocumentAs(MainState& s) {
    Document& d = s.doc;
    Busy busy(s);
    if (s.edit.PageControl1 == kIconPage && d.IconSet && !d.ExeShown) {
        const bool icon = d.IconSet->ResourceType == 1;
        auto answer =
            AskSave(icon ? "Icon|*.ico" : "Cursor|*.cur|Xcursor|*", icon ? "ico" : "cur", d.IconFileName);
        if (!answer) return false;
        const bool xcursor = !icon && answer->filterIndex == 2;
        std::string path = answer->path;
        // The name says the kind: a .cur name writes a cursor, a .ico name an
        // icon, a .icns name an Apple icon; a name without either gets the
        // document's own.
        const std::string ext = UpperExtension(path);
        int kind = d.IconSet->ResourceType == 2 ? 2 : 1;
        bool apple = false;
        if (ext == ".CUR")
            kind = 2;
        else if (ext == ".ICO")
            kind = 1;
        else if (ext == ".ICNS")
            apple = true;
        else if (!xcursor && kind == 1 && d.IconAppleIcon) {
            path += ".icns";
            apple = true;
        } else if (!xcursor)
            path += kind == 2 ? ".cur" : ".ico";
        if (xcursor) {
            SaveCursorSetAsXcursor(*d.IconSet, path);
        } else if (apple) {
            SaveIconSetAsAppleIcon(*d.IconSet, path);
        } else if (kind != d.IconSet->ResourceType) {
            std::unique_ptr<TIconCurEX> other = CopySet(*d.IconSet);
            ChangeResourceKind(*other, kind);
            other->SaveToFile(path);
            d.IconSet = std::move(other);  // the document is now of the kind written
            RefillResourceList(s);
        } else {
            d.IconSet->SaveToFile(path);
        }
        d.IconXcursor = xcursor;
        if (d.IconAppleIcon != apple) {
            d.IconAppleIcon = apple;
            RefillResourceList(s);  // the captions name ICNS types only for an Apple icon
        }
        d.IconFileName = path;  // only after the write returned
        MarkClean(s, kIconPage);
        d.IconReadWithLosses = false;
        SetCaptionFile(s, path);
        return true;
    }
    if (s.edit.PageControl1 == kAnimationPage && d.AniSet) {
        auto answer = AskSave("Animated cursor|*.ani|Xcursor|*", "ani", d.AniFileName);
        if (!answer) return false;
        // An animation is written as ANI whatever its name, unless Xcursor was chosen.
        if (answer->filterIndex == 2)
            SaveAnimationAsXcursor(*d.AniSet, answer->path);
        else {
            SettleInfoEncoding(*d.AniSet);
            d.AniSet->SaveToFile(answer->path);
        }
        d.AniXcursor = answer->filterIndex == 2;
        d.AniFileName = answer->path;
        MarkClean(s, kAnimationPage);
        d.AniReadWithLosses = false;
        SetCaptionFile(s, answer->path);
        return true;
    }
    return false;
}

std::optional<TQvDIB> AlphaPictureOfViews(const EditState& e) {
    if (!e.imgxor || !e.imgand || !AlphaInUse(*e.imgxor)) return std::nullopt;
    TQvDIB image = *e.imgxor;
    if (image.Width() == e.imgand->Width() && image.Height() == e.imgand->Height()) StoreAlphaFromMask(image, *e.imgand);
    return image;
}

TQvDIB ComposeWithBackground(const TQvDIB& image, const TQvDIB& mask, int color) {
    TQvDIB out = ViewToDIB(image);
    TQvDIBCanvas canvas(out);
    TQvDIB maskRead = DrawableSource(mask);
    TQvDIBCanvas maskCanvas(maskRead);
    const int w = std::min(out.Width(), maskRead.Width()), h = std::min(out.Height(), maskRead.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (maskCanvas.GetPixel(x, y) == kRasterWhite)
                canvas.SetPixel(x, y, static_cast<RasterColor>(color));
    return out;
}

ExportKind ExportKindOf(const std::string& path, int cmbtype) {
    const std::string ext = UpperExtension(path);
    if (ext.empty())
        return cmbtype == kTypeIcon     ? ExportKind::Icon
               : cmbtype == kTypeCursor ? ExportKind::Cursor
                                        : ExportKind::Bitmap;
    if (ext == ".ICO") return ExportKind::Icon;
    if (ext == ".CUR") return ExportKind::Cursor;
    if (ext == ".BMP" || ext == ".DIB") return ExportKind::Bitmap;
    if (ext == ".JPG" || ext == ".JPEG") return ExportKind::Jpeg;
    if (ext == ".PNG") return ExportKind::Png;
    return ExportKind::Unknown;
}

bool ExportImagePair(MainState& s) {
    EditState& e = s.edit;
    if (!e.imgxor || !e.imgand) return false;
    if (e.cmbtype == kTypeBitmap && e.target == ResourceTarget::View) {
        ShowMessage(Message("Editor", kExportNeedsTargetNotice));
        return false;
    }
    std::optional<FileDialogAnswer> answer;
    switch (e.cmbtype) {
        case kTypeIcon:
            answer = AskSave("Icon|*.ico|Cursor|*.cur|Bitmap|*.bmp;*.dib|Jpeg|*.jpg;*.jpeg|PNG|*.png", "ico");
            break;
        case kTypeCursor:
            answer = AskSave("Cursor|*.cur|Icon|*.ico|Bitmap|*.bmp;*.dib|Jpeg|*.jpg;*.jpeg|PNG|*.png", "cur");
            break;
        default:
            answer = AskSave("Bitmap|*.bmp;*.dib|Jpeg|*.jpg;*.jpeg|PNG|*.png", "bmp");
            break;
    }
    if (!answer) return false;
    const std::string& path = answer->path;
    // The name's extension decides the format: a picture named x.bmp is never
    // written as an icon, whatever the type selector says.
    switch (ExportKindOf(path, e.cmbtype)) {
        case ExportKind::Icon:
            SaveViewPairAsIcon(path, *e.imgxor, *e.imgand);
            return true;
        case ExportKind::Cursor:
            SaveViewPairAsCursor(path, *e.imgxor, *e.imgand, e.spex, e.spey);  // read as the dialog closes
            return true;
        case ExportKind::Png: {
            const TQvDIB image = ViewToDIB(*e.imgxor), mask = ViewToDIB(*e.imgand);
            if (e.target == ResourceTarget::Mask)
                SavePngFile(path, mask);
            else if (const std::optional<TQvDIB> rgba = AlphaPictureOfViews(e))
                SavePngFile(path, *rgba);  // the entry's own alpha
            else
                SavePngFile(path, image, &mask);  // transparent where the mask is white
            return true;
        }
        case ExportKind::Bitmap:
        case ExportKind::Jpeg: {
            if (e.target == ResourceTarget::View) {
                ShowMessage(Message("Editor", kExportNeedsTargetNotice));
                return false;
            }
            TQvDIB picture;
            if (e.target == ResourceTarget::Mask) {
                picture = ViewToDIB(*e.imgand);
                picture.ConvertToMono();
            } else if (s.settings.iconbackadd) {
                picture = ComposeWithBackground(*e.imgxor, *e.imgand, s.settings.color);
            } else {
                picture = ViewToDIB(*e.imgxor);
            }
            const std::optional<TQvDIB> rgba =
                e.target == ResourceTarget::Image && !s.settings.iconbackadd ? AlphaPictureOfViews(e) : std::nullopt;
            if (ExportKindOf(path, e.cmbtype) == ExportKind::Bitmap && rgba)
                WriteFileReplacing(path, EncodeBmpAlpha(*rgba));  // 32 bits with alpha, not 24
            else if (ExportKindOf(path, e.cmbtype) == ExportKind::Bitmap)
                picture.SaveToFile(path);
            else
                SaveDIBAsJpegFile(picture, path);
            return true;
        }
        case ExportKind::Unknown:
            break;
    }
    ShowMessage(Message("Editor",
                        VORNIK_TRANSLATE_NOOP("Editor",
                                              "Cannot export to \"%1\". Give the name one of the extensions "
                                              ".ico .cur .bmp .dib .jpg .jpeg .png."),
                        {std::filesystem::path(path).filename().string()}));
    return false;
}

}  // namespace vornik
