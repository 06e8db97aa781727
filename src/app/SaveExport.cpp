#include "app/SaveExport.h"

#include <algorithm>
#include <filesystem>

#include "app/AnimationPage.h"
#include "app/DocumentOpen.h"
#include "app/XcursorDocument.h"
#include "imaging/JpegDIB.h"
#include "imaging/PictureView.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "platform/FileDialogs.h"
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

}  // namespace

bool Save1Click(MainState& s) {
    Document& d = s.doc;
    switch (s.edit.PageControl1) {
        case kIconPage:
            if (!d.IconSet || d.ExeShown) return false;
            if (d.IconFileName.empty()) return SaveAs1Click(s);
            if (d.IconSet->ResourceType == 2 && IsXcursorName(d.IconFileName))
                SaveCursorSetAsXcursor(*d.IconSet, d.IconFileName);
            else
                d.IconSet->SaveToFile(d.IconFileName);
            d.IconModified = false;
            return true;
        case kAnimationPage:
            if (!d.AniSet) return false;
            if (d.AniFileName.empty()) return SaveAs1Click(s);
            if (IsXcursorName(d.AniFileName))
                SaveAnimationAsXcursor(*d.AniSet, d.AniFileName);
            else {
                SettleInfoEncoding(*d.AniSet);
                d.AniSet->SaveToFile(d.AniFileName);
            }
            d.AniModified = false;
            return true;
        default:
            return false;
    }
}

bool SaveAs1Click(MainState& s) {
    Document& d = s.doc;
    Busy busy(s);
    if (s.edit.PageControl1 == kIconPage && d.IconSet && !d.ExeShown) {
        const bool icon = d.IconSet->ResourceType == 1;
        auto answer =
            AskSave(icon ? "ｱｲｺﾝ|*.ico" : "ｶｰｿﾙ|*.cur|Xcursor|*", icon ? "ico" : "cur", d.IconFileName);
        if (!answer) return false;
        if (!icon && answer->filterIndex == 2)
            SaveCursorSetAsXcursor(*d.IconSet, answer->path);
        else
            d.IconSet->SaveToFile(answer->path);
        d.IconFileName = answer->path;  // only after the write returned
        d.IconModified = false;
        SetCaptionFile(s, answer->path);
        return true;
    }
    if (s.edit.PageControl1 == kAnimationPage && d.AniSet) {
        auto answer = AskSave("ｱﾆﾒｰｼｮﾝｶｰｿﾙ|*.ani|Xcursor|*", "ani", d.AniFileName);
        if (!answer) return false;
        if (answer->filterIndex == 2)
            SaveAnimationAsXcursor(*d.AniSet, answer->path);
        else {
            SettleInfoEncoding(*d.AniSet);
            d.AniSet->SaveToFile(answer->path);
        }
        d.AniFileName = answer->path;
        d.AniModified = false;
        SetCaptionFile(s, answer->path);
        return true;
    }
    return false;
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

bool tbexportClick(MainState& s) {
    EditState& e = s.edit;
    if (!e.imgxor || !e.imgand) return false;
    if (e.cmbtype == kTypeBitmap && e.target == ResourceTarget::View) {
        ShowMessage(kExportNeedsTargetNotice);
        return false;
    }
    std::optional<FileDialogAnswer> answer;
    switch (e.cmbtype) {
        case kTypeIcon:
            answer = AskSave("ｱｲｺﾝ|*.ico|ｶｰｿﾙ|*.cur|ﾋﾞｯﾄﾏｯﾌﾟ|*.bmp;*.dib|Jpeg|*.jpg;*.jpeg|PNG|*.png", "ico");
            break;
        case kTypeCursor:
            answer = AskSave("ｶｰｿﾙ|*.cur|ｱｲｺﾝ|*.ico|ﾋﾞｯﾄﾏｯﾌﾟ|*.bmp;*.dib|Jpeg|*.jpg;*.jpeg|PNG|*.png", "cur");
            break;
        default:
            answer = AskSave("ﾋﾞｯﾄﾏｯﾌﾟ|*.bmp;*.dib|Jpeg|*.jpg;*.jpeg|PNG|*.png", "bmp");
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
            else
                SavePngFile(path, image, &mask);  // transparent where the mask is white
            return true;
        }
        case ExportKind::Bitmap:
        case ExportKind::Jpeg: {
            if (e.target == ResourceTarget::View) {
                ShowMessage(kExportNeedsTargetNotice);
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
            if (ExportKindOf(path, e.cmbtype) == ExportKind::Bitmap)
                picture.SaveToFile(path);
            else
                SaveDIBAsJpegFile(picture, path);
            return true;
        }
        case ExportKind::Unknown:
            break;
    }
    ShowMessage("「" + std::filesystem::path(path).filename().string() +
                "」には書き出せません。名前の拡張子を .ico .cur .bmp .dib .jpg .jpeg .png "
                "のいずれかにしてください。");
    return false;
}

}  // namespace vornik
