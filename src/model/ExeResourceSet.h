#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/ExeImageWalk.h"
#include "model/ExeResources.h"
#include "model/SetNotices.h"
#include "model/TIconEx.h"

namespace vornik {

// Group labels as the editor shows them: the group's name or id, with its
// language when the same name comes in several languages ("IDI_APP",
// "101 (language 1041)"). One label per group of res, in order.
std::vector<std::string> GroupLabels(const ExeResources& res);

// The bytes of a member's image as the program holds them (a cursor's begin
// with its hot spot). NE resources are padded to the file's alignment; the
// group record's byte count cuts the padding off.
std::size_t MemberImageSize(const ExeResources& res, int kind, const GroupMember& member);

// Hands every image of the resource directory, decoded one at a time, to
// `take` (false stops): every group's images in the group's order, then the
// images no group names. Notes every image skipped; `done`, when given, hears
// of each image's bytes (offset, length) once they are no longer needed.
// Returns how many images were handed on.
std::size_t WalkResourceImages(const std::uint8_t* data, std::size_t size, const ExeResources& res,
                               std::vector<std::string>& notes, const std::function<bool(ExeImage&)>& take,
                               const std::function<void(std::size_t, std::size_t)>& done = {});

// Appends to the (empty) set the images of the resource directory: every
// group's images in the group's order, then the images no group names.
// Cursor images keep their hot spot. Fills set.Origins, and notes every image
// skipped in set.LoadNotes; counts the images beyond the table's limit (or
// beyond the decoded-size budget) in set.LeftOut.
void FillSetFromResources(const std::uint8_t* data, std::size_t size, const ExeResources& res, TIconEx& set);

// Reads the resource directory of the file's bytes and, when it can be used,
// fills the set from it and returns true. A damaged directory is noted in
// set.LoadNotes and the answer is false, as for a file without one.
bool LoadFromExeResources(const std::uint8_t* data, std::size_t size, TIconEx& set);

// The notice, one line, when images did not fit in the table: how many
// were left out.
Message LeftOutMessage(int leftOut);

}  // namespace vornik
