#pragma once

#include <deque>
#include <string>
#include <vector>

#include "formats/IconFileImages.h"
#include "formats/ProgramIcon.h"
#include "formats/ResourceSectionBuilder.h"
#include "model/ResourceDirectory.h"

namespace vornik {

// The resources a program holds once an icon file's images have replaced a
// group (or been added as one): every resource of the old directory except
// the replaced group records and the images only they named, then the new
// images and group records.
struct IconGroupPlan {
    std::vector<SectionResource> resources;  // borrow from the program, the icon file and `owned`
    std::deque<Bytes> owned;                 // new group records and cursor images
    std::vector<std::string> notes;
};

// Chooses the group as the options say and plans the new directory. An
// empty string, or why not with *refusal set (NoSuchGroup, GroupExists,
// Unsupported when the ids run out).
std::string PlanIconGroup(const std::uint8_t* program, const ResourceTree& tree, const IconFileImages& icon,
                          const ProgramIconOptions& options, IconGroupPlan& out, ProgramIconRefusal* refusal);

}  // namespace vornik
