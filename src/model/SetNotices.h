#pragma once

#include "platform/Message.h"

// What an icon set or animation tells the user when an entry cannot be added
// or removed.
namespace vornik::setmsg {

inline Message SetFull() {
    return Message("Set",
                   VORNIK_TRANSLATE_NOOP("Set", "the set is full (1000 images); nothing more can be added"))
        .leavesOutData();
}
// The set filled up while reading; count images were not read.
inline Message LeftOut(int count) {
    const char* form =
        count == 1
            ? VORNIK_TRANSLATE_NOOP("Set", "the set is full (1000 images); %1 more image was not read")
            : VORNIK_TRANSLATE_NOOP("Set", "the set is full (1000 images); %1 more images were not read");
    return Message("Set", form, {count}).leavesOutData();
}
inline Message NothingToDelete() {
    return Message("Set", VORNIK_TRANSLATE_NOOP("Set", "nothing left to delete"));
}
inline Message CannotDelete() {
    return Message("Set", VORNIK_TRANSLATE_NOOP("Set", "cannot delete that entry"));
}

}  // namespace vornik::setmsg
