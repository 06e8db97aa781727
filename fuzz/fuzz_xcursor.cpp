// Xcursor converter: any input is refused with EVornikError or read; what is
// read converts to a cursor or animated cursor, which converts back to
// Xcursor images that libXcursor writes and reads again with the same count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "anim/XcursorConvert.h"
#include "app/InstallInf.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
    const auto back = c.animation ? vornik::AnimationToXcursor(*c.animation) : vornik::CursorSetToXcursor(*c.cursor);
    const vornik::Bytes file = vornik::WriteXcursor(back);
    if (vornik::ReadXcursor(file.data(), file.size(), "again").size() != back.size()) std::abort();
    if (c.animation) c.animation->SaveToBytes();
    return 0;
}
