#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ReadIssue.h"

#include "anim/TAniEX.h"
#include "model/TIconEx.h"
#include "model/XcursorFile.h"
#include "platform/Bytes.h"

namespace vornik {

enum class CursorFileKind { Xcursor, Animated, IconOrCursor, Other };

// What the bytes are, by content alone.
CursorFileKind SniffCursorFile(const Bytes& data);

// A cursor in our model: a cursor (or icon) set, or an animated cursor.
struct CursorDocument {
    std::unique_ptr<TIconCurEX> cursor;
    std::unique_ptr<TAniEX> animation;
    std::vector<std::string> notes;  // what a conversion could not keep exactly
    std::vector<Loss> losses;        // what the reader left out (frames of an ANI)
    bool animated() const { return animation != nullptr; }
};

// Reads an Xcursor, ANI, CUR or ICO file, chosen by content. Throws
// EVornikError (or EXcursorError, EInOutError) naming the file when it is
// none of these or is refused.
CursorDocument ReadCursorDocument(const std::string& path);
CursorDocument ReadCursorDocument(const Bytes& data, const std::string& name);

// The document as Xcursor images; notes collects what could not be kept.
std::vector<XcursorPicture> CursorDocumentToXcursor(const CursorDocument& doc, std::vector<std::string>* notes);

// Every image scaled to each of the nominal sizes asked for, from the nearest
// larger size the images have (or the largest), hot spots scaled with them.
// Sizes already present are kept as they are. Animations keep their frames.
std::vector<XcursorPicture> XcursorAtSizes(const std::vector<XcursorPicture>& images,
                                           const std::vector<int>& sizes);

// Writes the document as an ANI (animated) or CUR file, replacing `path` only
// when everything was written.
void WriteWindowsCursor(CursorDocument& doc, const std::string& path);
// ".ani" for an animated document, ".cur" otherwise.
const char* WindowsCursorExtension(const CursorDocument& doc);

}  // namespace vornik
