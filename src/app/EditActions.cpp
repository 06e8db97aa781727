#include "app/EditActions.h"

#include "app/PendingViews.h"
#include "formats/IcnsIconSet.h"
#include "imaging/AlphaMask.h"
#include "model/EntryConversion.h"
#include "model/ListView.h"
#include "platform/Message.h"

namespace vornik {

namespace {

void applyPageRows(MainState& s, int column) {
    for (const PageCommandRow& row : PageCommandTable()) s.commands.Set(row.name, row.on[column]);
}

}  // namespace

ResourceList FillResourceList(TIconEx& set, int stretchbltmode) {
    ResourceList list;
    EntryListView view;
    FillListView(set, view, list.largeImages, stretchbltmode, list.smallImages);
    list.items = std::move(view.items);
    // An executable's images are named by the group they belong to.
    for (std::size_t i = 0; i < list.items.size() && i < set.Origins.size(); ++i)
        list.items[i].caption += " (" + set.Origins[i].label + ")";
    return list;
}

void RefillResourceList(MainState& s) {
    s.LVIcon.Clear();
    if (TIconEx* set = s.doc.ShownSet()) s.LVIcon = FillResourceList(*set, s.settings.stretchbltmode);
    // An Apple icon's entries also show the type each is saved as.
    if (s.doc.IconSet && !s.doc.ExeShown && s.doc.IconAppleIcon)
        for (std::size_t i = 0; i < s.LVIcon.items.size() && i < static_cast<std::size_t>(s.doc.IconSet->Count); ++i) {
            const std::string type = AppleIconTypeOfEntry(*s.doc.IconSet, static_cast<int>(i));
            if (type.empty())
                s.LVIcon.items[i].note =
                    Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "cannot be saved in ICNS"));
            else
                s.LVIcon.items[i].caption += " - " + type;
        }
}

void ShowEntry(MainState& s) {
    const int index = s.LVIcon.selected;
    const TIconEx* set = s.doc.ShownSet();
    if (index < 0 || !set || index >= set->Count || index >= static_cast<int>(s.LVIcon.items.size())) return;
    if (!ConfirmPendingViews(s)) return;  // edits not yet in an entry are not dropped unasked
    // Into new pictures first: an entry that cannot be shown leaves the views.
    PictureView image, mask;
    EntryToViews(*set, image, mask, index);
    s.edit.imgxor = std::move(image);
    s.edit.imgand = std::move(mask);
    const bool exeCursor = s.doc.ExeShown && static_cast<std::size_t>(index) < set->Origins.size() &&
                           set->Origins[static_cast<std::size_t>(index)].kind == 2;
    if (s.doc.ExeShown && static_cast<std::size_t>(index) < set->Origins.size())
        s.StatusPanel0 = Message::Plain(set->Origins[static_cast<std::size_t>(index)].label);
    if ((!s.doc.ExeShown && set->ResourceType == 2) || exeCursor) {
        s.edit.cmbtype = kTypeCursor;
        SetHotSpot(s.edit, set->Entries[index].HotSpotX, set->Entries[index].HotSpotY);
    } else {
        s.edit.cmbtype = kTypeIcon;
        SetHotSpot(s.edit, 0, 0);
    }
    SyncSelectorsFromImage(s.edit, *s.edit.imgxor);
    MarkViewsClean(s, s.doc.ExeShown ? -1 : index);
}

void SyncSelectorsFromImage(EditState& edit, const TQvDIB& picture) {
    SyncSelectorsFromImage(edit, picture.GetBitCount(), picture.Width(), picture.Height());
    // A picture drawn by its alpha is shown as the depth that keeps it.
    if (AlphaInUse(picture)) edit.cmbcolor = kColorAlpha;
}

void SyncSelectorsFromImage(EditState& edit, int bitCount, int width, int height) {
    switch (bitCount) {
        case 1:
            edit.cmbcolor = 0;
            break;
        case 4:
            edit.cmbcolor = 1;
            break;
        case 8:
            edit.cmbcolor = 2;
            break;
        default:
            edit.cmbcolor = 3;
            break;
    }
    edit.cmbsize = width == height ? IndexOfSize(width) : 0;
}

void SetHotSpot(EditState& edit, int x, int y) {
    edit.spex = ClampHotSpot(x, edit.imgxor ? edit.imgxor->Width() : 0);
    edit.spey = ClampHotSpot(y, edit.imgxor ? edit.imgxor->Height() : 0);
}

const std::vector<PageCommandRow>& PageCommandTable() {
    //                                     icon set  exe set  animation  bitmap
    static const std::vector<PageCommandRow> table = {
        {"Save1", {true, false, true, false}},           {"SaveAs1", {true, false, true, false}},
        {"tbsave", {true, false, true, false}},          {"Cut1", {true, false, true, false}},
        {"tbcut", {true, false, true, false}},           {"Paste1", {true, false, true, true}},
        {"tbpaste", {true, false, true, true}},          {"tbbmpget", {false, false, false, true}},
        {"mnu_bmpget", {false, false, false, true}},     {"tbiconrep", {true, false, true, false}},
        {"tbiconadd", {true, false, true, false}},       {"tbview1", {true, true, false, false}},
        {"tbview2", {true, true, false, false}},         {"tbview3", {true, true, false, false}},
        {"tbview4", {true, true, false, false}},         {"spebx", {false, false, false, true}},
        {"speby", {false, false, false, true}},          {"iconauto", {true, false, true, false}},
        {"tbiconauto", {true, false, true, false}},     {"mnu_allsave", {true, true, true, false}},
        {"mnu_bitmapzoom", {false, false, false, true}},
        {"mnu_exegroup", {false, true, false, false}},
    };
    return table;
}

int PageColumnOf(const MainState& s, int page) {
    if (page == kAnimationPage) return kColAnimation;
    if (page == kBitmapPage) return kColBitmap;
    return s.doc.ExeShown ? kColExeSet : kColIconSet;
}

void UpdatePageCommands(MainState& s, int page) {
    applyPageRows(s, PageColumnOf(s, page));
    SetCaptionFile(s, s.doc.FileNameOfPage(page));
}

std::string ActivatePage(MainState& s, int page) {
    s.edit.PageControl1 = page;
    UpdatePageCommands(s, page);
    if (page == kAnimationPage) return "lvani1";
    if (page == kBitmapPage) return "ScrollBox3";
    return "LVIcon";
}

const std::vector<TargetCommandRow>& TargetCommandTable() {
    using E = TargetEffect;
    //                                       view            image          mask
    static const std::vector<TargetCommandRow> table = {
        {"tbbmpget", {E::BitmapPageOnly, E::BitmapPageOnly, E::BitmapPageOnly}},
        {"mnu_bmpget", {E::BitmapPageOnly, E::BitmapPageOnly, E::BitmapPageOnly}},
        {"tbconvert", {E::Off, E::On, E::Off}},
        {"mnu_convert", {E::Off, E::On, E::Off}},
        {"tbinport", {E::Off, E::On, E::On}},
        {"inport1", {E::Off, E::On, E::On}},
        {"tbexport", {E::Off, E::On, E::On}},
        {"export1", {E::Off, E::On, E::On}},
        {"cmbcolor", {E::Unchanged, E::On, E::Off}},
        {"cmbsize", {E::Unchanged, E::On, E::Off}},
    };
    return table;
}

void SetResourceTarget(MainState& s, ResourceTarget target) {
    s.edit.target = target;
    const int column = static_cast<int>(target);
    for (const TargetCommandRow& row : TargetCommandTable()) {
        switch (row.effect[column]) {
            case TargetEffect::On:
                s.commands.Set(row.name, true);
                break;
            case TargetEffect::Off:
                s.commands.Set(row.name, false);
                break;
            case TargetEffect::BitmapPageOnly:
                s.commands.Set(row.name, s.edit.PageControl1 == kBitmapPage);
                break;
            case TargetEffect::Unchanged:
                break;
        }
    }
}

void SelectEntryType(MainState& s, int index) {
    if (index < 0 || index > 2) return;
    s.edit.cmbtype = index;
    const bool hotSpot = index != kTypeBitmap;
    s.commands.Set("spex", hotSpot);
    s.commands.Set("spey", hotSpot);
}

void SelectEntrySize(MainState& s, int index) {
    if (index < 0 || index >= kCmbSizeCount) return;
    s.edit.cmbsize = index;
    if (index >= 1) {
        s.edit.Shape1Width = SizeOfIndex(index);
        s.edit.Shape1Height = SizeOfIndex(index);
    }
}

void SetListStyle(MainState& s, int tag) {
    if (tag < 0 || tag > 3) return;
    s.edit.LVIconStyle = tag;
}

}  // namespace vornik
