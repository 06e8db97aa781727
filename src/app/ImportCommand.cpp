#include "app/ImportCommand.h"

#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/ImageIntake.h"
#include "app/IsBmpFile.h"
#include "imaging/JpegDIB.h"
#include "imaging/PictureView.h"
#include "imaging/AlphaSplit.h"
#include "app/PictureFiles.h"
#include "model/EntryConversion.h"
#include "platform/FileDialogs.h"

namespace vornik {

namespace {

// A picture into the view the target names: the image as it is, a mask as
// black and white true colour. "view" takes nothing.
void PictureIntoTarget(EditState& e, TQvDIB dib) {
    if (e.target == ResourceTarget::View) return;  // nothing at all changes, not even the type
    if (e.target == ResourceTarget::Image) {
        PictureIntoImageView(e, dib);
    } else if (e.target == ResourceTarget::Mask) {
        dib.ConvertToMono();
        dib.ConvertToTrueColor();
        PictureView view;
        DIBToView(dib, view);
        SyncSelectorsFromImage(e, view);
        e.imgand = view;
    }
    e.cmbtype = kTypeBitmap;
    e.spex = 0;
    e.spey = 0;
}

}  // namespace

bool ImportFile(MainState& s, const std::string& path, const IconSelectDialog& showDialog) {
    EditState& e = s.edit;
    const std::string ext = UpperExtension(path);
    bool taken = false;
    if (ext == ".BMP" || ext == ".DIB" || IsBmpFile(path)) {
        PictureIntoTarget(e, LoadBitmapPicture(path));
        taken = e.target != ResourceTarget::View;
        if (!taken) return false;
    } else if (ext == ".JPG" || ext == ".JPEG") {
        PictureIntoTarget(e, LoadJpegPicture(path));
        taken = e.target != ResourceTarget::View;
        if (!taken) return false;
    } else if (IsSvgExtension(path)) {
        TQvDIB dib = LoadSvgPicture(path);
        if (e.target == ResourceTarget::Mask) {
            // The mask comes from the drawing's coverage, not its colours.
            TQvDIB colours, mask;
            SplitAlpha(dib, colours, mask);
            dib = mask;
        }
        PictureIntoTarget(e, dib);
        taken = e.target != ResourceTarget::View;
        if (!taken) return false;
    } else {
        const std::optional<int> chosen = SelectImportEntry(s, path, showDialog);
        TIconEx* set = s.doc.ImportSet();
        if (chosen && set) {
            PictureView image, mask;
            EntryToViews(*set, image, mask, *chosen);
            e.imgxor = image;
            e.imgand = mask;
            if (s.doc.ImportKind == 1 || s.doc.ImportKind == 2) {
                e.cmbtype = kTypeCursor;
                SetHotSpot(e, set->Entries[*chosen].HotSpotX, set->Entries[*chosen].HotSpotY);
            } else {
                e.cmbtype = kTypeIcon;
                SetHotSpot(e, 0, 0);
            }
            taken = true;
        }
    }
    if (e.imgxor) SyncSelectorsFromImage(e, *e.imgxor);
    return taken;
}

bool tbinportClick(MainState& s, const IconSelectDialog& showDialog) {
    FileDialogRequest r;
    r.dialog = "OpenPictureDialog2";
    r.filter = kImportFilter;
    r.filterIndex = 1;
    const auto answer = AskOpenFile(r);
    if (!answer) return false;
    return ImportFile(s, answer->path, showDialog);
}

}  // namespace vornik
