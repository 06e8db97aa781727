// ICNS reader: any input is refused with EIcnsError or read; every image read
// decodes or is refused with EIcnsError; what is read writes back and reads
// again to the very same elements.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/IcnsFile.h"
#include "model/IcnsImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornik::IcnsFile file;
    try {
        file = vornik::ReadIcns(data, size, "fuzz");
    } catch (const vornik::EIcnsError&) {
        return 0;
    }
    for (const vornik::IcnsImage& image : vornik::IcnsImages(file)) {
        try {
            const vornik::TQvDIB picture = vornik::DecodeIcnsImage(file, image);
            if (picture.Width() != image.side || picture.Height() != image.side) std::abort();
        } catch (const vornik::EIcnsError&) {
        }
    }
    const vornik::Bytes written = vornik::WriteIcns(file.elements);
    const vornik::IcnsFile again = vornik::ReadIcns(written.data(), written.size(), "again");
    if (!again.losses.empty() || again.elements.size() != file.elements.size()) std::abort();
    for (std::size_t i = 0; i < file.elements.size(); ++i)
        if (again.elements[i].type != file.elements[i].type ||
            again.elements[i].data != file.elements[i].data)
            std::abort();
    return 0;
}
