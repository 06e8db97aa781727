#include "app/ClipboardCommands.h"

#include "anim/FrameOrder.h"
#include "anim/TAniEX.h"
#include "app/EditActions.h"
#include "app/ImageIntake.h"
#include "imaging/AlphaMask.h"
#include "imaging/BmpAlpha.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/PictureView.h"
#include "model/EntryConversion.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

void CopyDIBToClipboard(const TQvDIB& dib, TQvClipboard& clipboard) {
    const TQvClipboardData data = dib.SaveToClipboardFormat();  // CF_DIB, with its palette when it has one
    clipboard.Open();
    struct Closer {
        TQvClipboard& c;
        ~Closer() { c.Close(); }
    } closer{clipboard};
    clipboard.SetData(data);
}

// The clipboard's bitmap, or nothing (after the message) when it holds none.
std::optional<TQvDIB> PasteClipboardToDIB(TQvClipboard& clipboard) {
    clipboard.Open();
    const bool has = clipboard.HasFormat(CF_DIB) && clipboard.HasFormat(CF_BITMAP);
    clipboard.Close();
    if (!has) {
        ShowMessage(Message("Editor", kNoBitmapOnClipboard));
        return std::nullopt;
    }
    // A 32-bit block with alpha keeps it; the DIB reader would drop it.
    clipboard.Open();
    std::optional<TQvDIB> withAlpha;
    if (const Bytes* block = clipboard.GetData(CF_DIB)) withAlpha = DecodeBmpAlpha(*block, true);
    clipboard.Close();
    if (withAlpha) return withAlpha;
    TQvDIB dib;
    dib.Assign(clipboard);  // opens and closes the clipboard itself
    return dib;
}

int SelectedEntry(const MainState& s, int selectedFrame, TIconEx*& set) {
    set = nullptr;
    if (s.edit.PageControl1 == kIconPage) {
        set = s.doc.ShownSet();
        return s.LVIcon.selected;
    }
    if (s.edit.PageControl1 == kAnimationPage) {
        set = s.doc.AniSet.get();
        return selectedFrame;
    }
    return -1;
}

}  // namespace

void CopyToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard, int selectedFrame) {
    CopyToClipboard(s, entries, clipboard, selectedFrame < 0 ? std::vector<int>{} : std::vector<int>{selectedFrame});
}

void CutToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard, int selectedFrame) {
    CutToClipboard(s, entries, clipboard, selectedFrame < 0 ? std::vector<int>{} : std::vector<int>{selectedFrame});
}

void CopyToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard,
                const std::vector<int>& selectedFrames) {
    const std::vector<int> frames = s.doc.AniSet ? CleanSelection(selectedFrames, s.doc.AniSet->Count)
                                                 : std::vector<int>{};
    const int selectedFrame = frames.empty() ? -1 : frames.front();
    EditState& e = s.edit;
    if (e.target == ResourceTarget::Image) {
        if (!e.imgxor) return;
        CopyDIBToClipboard(ViewToDIB(*e.imgxor), clipboard);
        entries.available = false;
        return;
    }
    if (e.target == ResourceTarget::Mask) {
        if (!e.imgand) return;
        TQvDIB mask = ViewToDIB(*e.imgand);
        mask.ConvertToMono();
        CopyDIBToClipboard(mask, clipboard);
        entries.available = false;
        return;
    }
    if (e.PageControl1 == kBitmapPage) {
        if (!e.imgbmp) return;
        const int side = SizeOfIndex(e.cmbsize);
        TQvDIB square;
        CopyBitmapRect(DrawableSource(*e.imgbmp), square, e.spebx, e.speby, side, side);
        CopyDIBToClipboard(square, clipboard);
        return;
    }
    TIconEx* set = nullptr;
    const int i = SelectedEntry(s, selectedFrame, set);
    if (!set || i < 0 || i >= set->Count) return;
    TQvDIB image, mask;
    EntryToDIBs(*set, image, mask, i);
    entries.image = image;
    entries.mask = mask;
    entries.available = true;
    entries.frames.clear();
    if (s.edit.PageControl1 == kAnimationPage)
        for (int f : frames) entries.frames.push_back(CopyFrame(*s.doc.AniSet, f));
    CopyDIBToClipboard(image, clipboard);
}

void CutToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard,
               const std::vector<int>& selectedFrames) {
    CopyToClipboard(s, entries, clipboard, selectedFrames);
    const int selectedFrame = selectedFrames.empty() ? -1 : selectedFrames.front();
    if (s.edit.target != ResourceTarget::View) return;
    if (s.edit.PageControl1 == kIconPage) {
        TIconCurEX* set = s.doc.ExeShown ? nullptr : s.doc.IconSet.get();  // an executable stays read-only
        const int i = s.LVIcon.selected;
        if (!set || i < 0 || i >= set->Count) return;
        if (set->DeleteSlot(i) == -1) return;
        RefillResourceList(s);
    } else if (s.edit.PageControl1 == kAnimationPage) {
        TAniEX* ani = s.doc.AniSet.get();
        if (!ani || selectedFrame < 0 || selectedFrame >= ani->Count) return;
        if (DeleteFrames(*ani, selectedFrames) == 0) return;
        if (s.RefillAnimation) s.RefillAnimation(s);
    }
}

void PasteFromClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard) {
    EditState& e = s.edit;
    if (e.target == ResourceTarget::Image) {
        e.cmbtype = kTypeBitmap;
        if (auto dib = PasteClipboardToDIB(clipboard)) PictureIntoImageView(e, *dib);
        if (e.imgxor) SyncSelectorsFromImage(e, *e.imgxor);
        return;
    }
    if (e.target == ResourceTarget::Mask) {
        e.cmbtype = kTypeBitmap;
        if (auto dib = PasteClipboardToDIB(clipboard)) {
            dib->ConvertToMono();
            dib->ConvertToTrueColor();
            PictureView view;
            DIBToView(*dib, view);
            SyncSelectorsFromImage(e, view);
            e.imgand = view;
        }
        return;
    }
    switch (e.PageControl1) {
        case kIconPage: {
            if (!entries.available) return;
            TIconCurEX* set = s.doc.ExeShown ? nullptr : s.doc.IconSet.get();
            if (!set) {
                ShowMessage(Message("Editor", kNoIconSetToPaste));
                return;
            }
            if (set->AddSlot(0) == -1) return;
            DIBsToEntry(*set, entries.image, entries.mask, 0);
            RefillResourceList(s);
            return;
        }
        case kAnimationPage: {
            if (!entries.available) return;
            TAniEX* ani = s.doc.AniSet.get();
            if (!ani) {
                ShowMessage(Message("Editor", kNoAniSetToPaste));
                return;
            }
            if (!entries.frames.empty()) {
                InsertFrameCopies(*ani, -1, entries.frames);
                if (s.RefillAnimation) s.RefillAnimation(s);
                return;
            }
            const int frame = ani->AddFrame();
            if (frame == -1) return;
            DIBsToEntry(*ani, entries.image, entries.mask, frame);
            if (s.RefillAnimation) s.RefillAnimation(s);
            return;
        }
        default:
            if (auto dib = PasteClipboardToDIB(clipboard)) {
                PictureView view;
                if (AlphaInUse(*dib))
                    view = *dib;  // the Bitmap page keeps alpha for the take-in
                else
                    DIBToView(*dib, view);
                e.imgbmp = view;
                e.Shape1Left = e.Shape1Top = 0;
                e.spebx = e.speby = 0;
            }
            return;
    }
}

}  // namespace vornik
