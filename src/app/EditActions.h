#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainState.h"

namespace vornik {

// The list rows and thumbnails of every entry of a set ("stretchbltmode"
// chooses how thumbnails are scaled).
ResourceList FillResourceList(TIconEx& set, int stretchbltmode);

// Empties LVIcon and fills it from the set the Icon page shows.
void RefillResourceList(MainState& s);

// Double click in LVIcon: the selected entry goes into the image and mask
// views and the selectors follow it. Nothing happens without a selection.
void ShowEntry(MainState& s);

// cmbcolor from the picture's bit count and cmbsize from its size ("Any"
// unless it is square with a listed side).
void SyncSelectorsFromImage(EditState& edit, const TQvDIB& picture);
void SyncSelectorsFromImage(EditState& edit, int bitCount, int width, int height);

// Sets a hot spot, clamped into 0..127 as the spin fields do.
void SetHotSpot(EditState& edit, int x, int y);

// --- page commands ---
// Columns of the page table.
enum PageColumn { kColIconSet = 0, kColExeSet = 1, kColAnimation = 2, kColBitmap = 3 };
struct PageCommandRow {
    std::string_view name;
    std::array<bool, 4> on;  // by PageColumn
};
const std::vector<PageCommandRow>& PageCommandTable();
// The column a page uses (the Icon page by ExeShown).
int PageColumnOf(const MainState& s, int page);
// Applies the page's rows (other commands keep their state) and sets the
// caption from the page's file name.
void UpdatePageCommands(MainState& s, int page);
// The page becomes active; returns the control that takes the keyboard
// focus: "LVIcon", "lvani1" or "ScrollBox3".
std::string ActivatePage(MainState& s, int page);

// --- resource target (the view, image and mask buttons) ---
// What a target button does to one control: on, off, or leave it.
enum class TargetEffect { Off, On, Unchanged, BitmapPageOnly };
struct TargetCommandRow {
    std::string_view name;
    std::array<TargetEffect, 3> effect;  // by ResourceTarget
};
const std::vector<TargetCommandRow>& TargetCommandTable();
// Only a pressed button applies its column: at start "view" is down but the
// table has not been applied, so convert, import and export start enabled.
void SetResourceTarget(MainState& s, ResourceTarget target);

// --- selectors picked by the user ---
// Type: "Icon"/"Cursor" enable the hot spot fields, "Bitmap" disables them.
void SelectEntryType(MainState& s, int index);
// Size: any listed side also sizes the Bitmap page's selection frame; "Any" leaves it.
void SelectEntrySize(MainState& s, int index);
// List style by the sender's tag 0..3; menu items and buttons both follow
// LVIconStyle, so they always show the same choice. Other tags are ignored.
void SetListStyle(MainState& s, int tag);
// view1..view4 checked / tbview1..tbview4 pressed.
inline bool ViewStyleChecked(const EditState& edit, int tag) { return edit.LVIconStyle == tag; }

}  // namespace vornik
