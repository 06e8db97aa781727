// Xcursor converter: any input is refused with EVornikError or read; what is
// read converts to a cursor or animated cursor, which converts back to
// Xcursor images that libXcursor writes and reads again with the same count.
// An animation also goes through an ANI file (every size of every frame in
// it) and back to the very same Xcursor images.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "anim/XcursorConvert.h"
#include "formats/InstallInf.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"
#include "platform/Notice.h"
#include "CountingNotices.h"

namespace {

bool same(const std::vector<vornik::XcursorPicture>& a, const std::vector<vornik::XcursorPicture>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].nominalSize != b[i].nominalSize || a[i].xhot != b[i].xhot || a[i].yhot != b[i].yhot ||
            a[i].delay != b[i].delay || a[i].pixels != b[i].pixels)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CountingNotices notices;
    static vornik::ScopedNoticeHandler scope(&notices);
    // The inf parser gets the same bytes.
    vornik::ParseInstallInf(vornik::DecodeInfText(vornik::Bytes(data, data + size)));

    std::vector<vornik::XcursorPicture> images;
    try {
        images = vornik::ReadXcursor(data, size, "fuzz");
    } catch (const vornik::EVornikError&) {
        return 0;
    }
    vornik::XcursorConversion c;
    try {
        c = vornik::XcursorToSets(images);
    } catch (const vornik::EXcursorError&) {
        return 0;  // more frames than an animated cursor holds
    }
    const auto back =
        c.animation ? vornik::AnimationToXcursor(*c.animation) : vornik::CursorSetToXcursor(*c.cursor);
    const vornik::Bytes file = vornik::WriteXcursor(back);
    if (vornik::ReadXcursor(file.data(), file.size(), "again").size() != back.size()) std::abort();
    if (c.animation) {
        const vornik::Bytes ani = c.animation->SaveToBytes();
        static vornik::TAniEX again;
        notices.count = 0;
        if (!again.LoadFromMemory(ani.data(), ani.size(), "again.ani") || notices.count != 0) std::abort();
        if (!same(vornik::AnimationToXcursor(again), back)) std::abort();
    }
    return 0;
}
