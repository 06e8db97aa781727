#pragma once

#include <memory>
#include <string>

#include "anim/TAniEX.h"
#include "model/TIconEx.h"

namespace vornik {

// The document state of the main window: one resource set per page and the
// file each came from. Each slot owns its set; putting a new one in destroys
// the old. IconSet and ExeSet are never both in use.
struct Document {
    std::unique_ptr<TIconCurEX> IconSet;  // Icon page, editable
    std::unique_ptr<TExeEXsub> ExeSet;    // Icon page, read-only, after an executable was opened
    bool ExeShown = false;                // the Icon page shows ExeSet
    std::unique_ptr<TAniEX> AniSet;       // Animation page

    std::string IconFileName;  // empty: a new document
    std::string ExeFileName;
    std::string AniFileName;
    std::string BitmapFileName;
    // The file was read as (or last saved as) Xcursor: Save writes it back
    // in that format, whatever its name says.
    bool IconXcursor = false;
    bool AniXcursor = false;
    // The file was read as (or last saved as) an Apple icon (ICNS).
    bool IconAppleIcon = false;

    // Changed since opened, started or saved: leaving the document asks first.
    bool IconModified = false;
    bool AniModified = false;
    // The sets as last opened, started or saved (CleanKnown once there was
    // such a moment), so that undo back to them clears the modified marker.
    std::unique_ptr<TIconCurEX> IconClean;
    std::unique_ptr<TAniEX> AniClean;
    bool IconCleanKnown = false;
    bool AniCleanKnown = false;
    // Read with losses (frames, rows or images left out): the first save
    // over the file it came from asks first, so the loss is never silent.
    bool IconReadWithLosses = false;
    bool AniReadWithLosses = false;

    // The source of the import command: the file, its kind (0 icon, 1 cursor,
    // 2 animated cursor, 3 executable) and the set of that kind.
    std::string ImportFileName;
    int ImportKind = 0;
    std::unique_ptr<TIconCurEX> ImportIconSet;
    std::unique_ptr<TAniEX> ImportAniSet;
    std::unique_ptr<TExeEXsub> ImportExeSet;

    // The set the Icon page shows (ExeSet when ExeShown, else IconSet); may be null.
    TIconEx* ShownSet() const;
    // The set of the import slot ImportKind names; may be null.
    TIconEx* ImportSet() const;
    // The file name of a page's document (Icon page: by ExeShown).
    const std::string& FileNameOfPage(int page) const;
};

}  // namespace vornik
