#include "app/EntryCommands.h"

#include "anim/TAniEX.h"
#include "app/EditActions.h"
#include "app/PendingViews.h"
#include "imaging/AlphaMask.h"
#include "imaging/AlphaSplit.h"
#include "imaging/ConvertDIBFormat.h"
#include "model/EntryConversion.h"
#include "platform/Bytes.h"
#include "platform/Errors.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

int HeaderBitCount(const IconEntry& e) {
    return e.InfoHeader.size() >= 16 ? ReadU16LE(e.InfoHeader.data() + 14) : 0;
}

bool ViewsReady(const EditState& e) { return e.imgxor && e.imgand; }

std::string SizeText(const TQvDIB& p) {
    return std::to_string(p.Width()) + " x " + std::to_string(p.Height());
}

// Checked before a slot is made, so a refused pair leaves the set as it was.
void CheckPair(const EditState& e) {
    if (e.imgxor->Width() != e.imgand->Width() || e.imgxor->Height() != e.imgand->Height())
        throw EVornikError(Message("Editor",
                                   VORNIK_TRANSLATE_NOOP("Editor",
                                                         "The image (%1) and the mask (%2) differ in size. "
                                                         "Make them the same size before storing them."),
                                   {SizeText(*e.imgxor), SizeText(*e.imgand)}));
}

// An icon's directory holds planes and bit count where a cursor's holds its
// hot spot: a click on the image view must not end up there.
void StorePair(TIconEx& set, int index, const EditState& e, bool cursor) {
    ViewsToEntry(set, *e.imgxor, *e.imgand, index);
    IconEntry& entry = set.Entries[index];
    entry.HotSpotX = static_cast<std::uint16_t>(cursor ? e.spex : 1);
    entry.HotSpotY = static_cast<std::uint16_t>(cursor ? e.spey : HeaderBitCount(entry));
}

void RefreshAnimation(MainState& s) {
    if (s.RefillAnimation) s.RefillAnimation(s);
}

}  // namespace

int FormatSize(int n) {
    static const int sizes[6] = {16, 32, 48, 64, 128, 256};
    if (n >= kClassicFormats) return sizes[std::min(n - kClassicFormats, 5)];
    return sizes[((n % 5) + 5) % 5];
}

int FormatBitCount(int n) {
    return n < 5 ? 1 : n < 10 ? 4 : n < 15 ? 8 : n < kClassicFormats ? 24 : 32;
}

bool EntryHasFormat(const TIconEx& set, int index, int n) {
    const IconEntry& e = set.Entries[index];
    return e.PixelWidth() == FormatSize(n) && HeaderBitCount(e) == FormatBitCount(n);
}

int PickSourceEntry(const TIconEx& set, int targetSize) {
    if (set.Count <= 0) return -1;
    if (set.Count == 1) return 0;
    int deepest = 0, widest = 0;
    for (int i = 1; i < set.Count; ++i) {
        if (HeaderBitCount(set.Entries[i]) > HeaderBitCount(set.Entries[deepest])) deepest = i;
        if (set.Entries[i].PixelWidth() > set.Entries[widest].PixelWidth()) widest = i;
    }
    if (deepest == widest) return deepest;
    return targetSize > set.Entries[deepest].PixelWidth() ? widest : deepest;
}

void AddMissingFormats(MainState& s) {
    TIconCurEX* set = s.doc.ExeShown ? nullptr : s.doc.IconSet.get();
    if (!set || set->Count == 0) return;
    s.WaitCursor = true;
    struct Reset {
        MainState& s;
        ~Reset() { s.WaitCursor = false; }
    } reset{s};
    for (int n = kAutoIconFormats - 1; n >= 0; --n) {
        if (!s.settings.autoicon[n]) continue;
        bool present = false;
        for (int i = 0; i < set->Count && !present; ++i) present = EntryHasFormat(*set, i, n);
        if (present) continue;
        const int source = PickSourceEntry(*set, FormatSize(n));
        TQvDIB image, mask;
        EntryToDIBs(*set, image, mask, source);
        if (FormatBitCount(n) == 32) {
            if (set->AddSlot(0) == -1) continue;
            const TQvDIB rgba = AlphaFormat(image, mask, FormatSize(n), s.settings.stretchbltmode);
            SplitAlpha(rgba, image, mask);
            DIBsToEntry(*set, rgba, mask, 0);
            continue;
        }
        // A 32-bit source loses its alpha here: half-transparent pixels join the mask.
        FoldAlphaIntoMask(image, mask);
        image = FlattenAlpha(image);
        ConvertDIBFormat(image, FormatBitCount(n), FormatSize(n), FormatSize(n), s.settings.fixedpalette16,
                         s.settings.stretchbltmode);
        ConvertDIBFormat(mask, 1, FormatSize(n), FormatSize(n), s.settings.fixedpalette16,
                         s.settings.stretchbltmode);
        if (set->AddSlot(0) == -1) continue;  // the set is full: this format is skipped
        DIBsToEntry(*set, image, mask, 0);
    }
    RefillResourceList(s);
}

void ReplaceEntryFromViews(MainState& s, int selectedFrame) {
    const EditState& e = s.edit;
    if (e.PageControl1 == kIconPage) {
        TIconCurEX* set = s.doc.ExeShown ? nullptr : s.doc.IconSet.get();
        if (!set) return;
        const int i = s.LVIcon.selected;
        if (i < 0 || i >= set->Count) {
            ShowMessage(Message("Editor", kReplaceNeedsSelection));
            return;
        }
        if (!ViewsReady(e)) return;
        CheckPair(e);
        StorePair(*set, i, e, set->ResourceType == 2);
        MarkViewsClean(s, i);
        RefillResourceList(s);
    } else if (e.PageControl1 == kAnimationPage) {
        TAniEX* ani = s.doc.AniSet.get();
        if (!ani) return;
        if (selectedFrame < 0 || selectedFrame >= ani->Count) {
            ShowMessage(Message("Editor", kReplaceNeedsSelection));
            return;
        }
        if (!ViewsReady(e)) return;
        CheckPair(e);
        StorePair(*ani, selectedFrame, e, true);
        MarkViewsClean(s, -1);
        RefreshAnimation(s);
    }
}

void AddEntryFromViews(MainState& s) {
    const EditState& e = s.edit;
    if (!ViewsReady(e)) return;  // nothing under edit to add
    CheckPair(e);
    if (e.PageControl1 == kIconPage) {
        TIconCurEX* set = s.doc.ExeShown ? nullptr : s.doc.IconSet.get();
        if (!set || set->AddSlot(0) == -1) return;
        try {
            StorePair(*set, 0, e, set->ResourceType == 2);
        } catch (...) {
            set->DeleteSlot(0);  // no empty slot may stay behind
            throw;
        }
        MarkViewsClean(s, 0);
        RefillResourceList(s);
    } else if (e.PageControl1 == kAnimationPage) {
        TAniEX* ani = s.doc.AniSet.get();
        if (!ani) return;
        const int frame = ani->AddFrame();
        if (frame == -1) return;
        try {
            StorePair(*ani, frame, e, true);
        } catch (...) {
            ani->DeleteSlot(frame);  // the new frame has no steps yet
            throw;
        }
        MarkViewsClean(s, -1);
        RefreshAnimation(s);
    }
}

}  // namespace vornik
