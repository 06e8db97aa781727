#include "app/ImportCommand.h"

#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/ImageIntake.h"
#include "app/ReadMessages.h"
#include "formats/FormatRegistry.h"
#include "formats/PictureRead.h"
#include "imaging/AlphaMask.h"
#include "imaging/AlphaSplit.h"
#include "imaging/PictureView.h"
#include "platform/Errors.h"
#include "platform/Notice.h"
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
    bool taken = false;
    const auto format = DetectFileFormat(path);
    if (format.refused) throw EVornikError(OpenFailedMessage(path, RefusalMessage(format.refusal)));
    if (format.value->yields == Yield::Picture) {
        ReadResult<TQvDIB> r = ReadPicture(path);
        if (r.refused) throw EVornikError(OpenFailedMessage(path, RefusalMessage(r.refusal)));
        if (!r.losses.empty()) ShowMessage(LossesMessage(path, r.losses));
        TQvDIB dib = r.value;
        if (e.target == ResourceTarget::Mask && HasAlphaChannel(dib)) {
            // The mask comes from the picture's coverage, not its colours.
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

bool ImportPictureIntoView(MainState& s, const IconSelectDialog& showDialog) {
    FileDialogRequest r;
    r.dialog = "OpenPictureDialog2";
    r.filter = kImportFilter;
    r.filterIndex = 1;
    const auto answer = AskOpenFile(r);
    if (!answer) return false;
    return ImportFile(s, answer->path, showDialog);
}

}  // namespace vornik
