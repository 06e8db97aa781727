#pragma once

#include "app/IconSelect.h"
#include "app/MainState.h"

namespace vornik {

inline constexpr const char* kImportFilter =
    "All files (*.dib;*.bmp;*.ico;*.emf;*.wmf)|*.dib;*.bmp;*.ico;*.emf;*.wmf|Device Independent Bitmap "
    "(*.dib)|*.dib|Bitmap (*.bmp)|*.bmp|Icon (*.ico)|*.ico|Enhanced metafile (*.emf)|*.emf|Metafile (*.wmf)|*.wmf|"
    "SVG (*.svg;*.svgz)|*.svg;*.svgz";

// Command inport1: a picture file into the image or mask view (by the
// resource target; "view" loads no picture), or an entry of a resource file,
// picked with showDialog (TfrmIconSelect), into both views. False when
// cancelled or nothing was taken. A file the reader refuses raises its error
// and the views keep their pictures.
bool ImportPictureIntoView(MainState& s, const IconSelectDialog& showDialog);

// The same for a path already chosen.
bool ImportFile(MainState& s, const std::string& path, const IconSelectDialog& showDialog);

}  // namespace vornik
