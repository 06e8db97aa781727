#pragma once

#include <string>

#include "platform/Message.h"

// What the animated-cursor reader tells the user.
namespace vornik::animsg {

// The file's first four bytes (found) are not "RIFF" / the form is not "ACON".
inline Message NotAniRiff(const std::string& found) {
    return Message(
        "Animation",
        VORNIK_TRANSLATE_NOOP("Animation", "not an animated cursor (no RIFF header; found \"%1\")"), {found});
}
inline Message NotAniAcon(const std::string& found) {
    return Message("Animation",
                   VORNIK_TRANSLATE_NOOP("Animation", "not an animated cursor (no ACON form; found \"%1\")"),
                   {found});
}
inline Message SeqFrameTooLarge() {
    return Message("Animation",
                   VORNIK_TRANSLATE_NOOP("Animation",
                                         "a step names a frame that does not exist; the step was corrected"));
}
// Reading stopped at a damaged chunk (its tag).
inline Message Damaged(const std::string& chunk) {
    return Message("Animation", VORNIK_TRANSLATE_NOOP("Animation", "the file is damaged (%1 chunk)"),
                   {chunk});
}
// Limits of the tables that hold a file's steps and frames.
inline Message TooManySteps() {
    return Message("Animation",
                   VORNIK_TRANSLATE_NOOP("Animation", "more than 100 steps; only the first 100 were read"))
        .leavesOutData();
}
inline Message TooManyFrames() {
    return Message("Animation",
                   VORNIK_TRANSLATE_NOOP("Animation", "more than 1000 frames; only the first 1000 were read"))
        .leavesOutData();
}

}  // namespace vornik::animsg
