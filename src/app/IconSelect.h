#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/MainState.h"

namespace vornik {

// The entry selection dialog TfrmIconSelect, as a flow. The file is read into
// the import slot of its kind and listed; showDialog shows the list with the
// label text (the file name) and answers the selected row when confirmed with
// "&OK", nullopt when cancelled or nothing was selected. The answer is the
// index of the entry to take from s.doc.ImportSet(), or nullopt.
using IconSelectDialog =
    std::function<std::optional<int>(const ResourceList& list, const std::string& label)>;
std::optional<int> SelectImportEntry(MainState& s, const std::string& path,
                                     const IconSelectDialog& showDialog);

// Tfrmiconcursel: the resource type of a new set from the radio index
// (1 cursor gives 2, anything else 1).
inline int NewResourceTypeOf(int radioIndex) { return radioIndex == 1 ? 2 : 1; }

}  // namespace vornik
