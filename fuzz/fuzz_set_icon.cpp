// Icons written into programs: for any program bytes set-icon never crashes,
// and whatever it writes is a program our reader walks without damage and
// without a problem the input did not have, with a right checksum, holding
// the icon's images in the group it reports. The last byte of the input
// picks the options; the bytes before it are the program.
//
// With SET_ICON_OUTPUT_DIR set, every output is also written there, so that
// fuzz/check_set_icon_outputs.py can have pefile parse each one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formats/PeChecksum.h"
#include "formats/ProgramIcon.h"
#include "model/ExeResources.h"
#include "model/PeHeaders.h"
#include "platform/Bytes.h"

namespace {

using vornik::Bytes;

// A 16 x 16 4-bit image and a 32 x 32 32-bit one, with hot spots for the cursor.
Bytes iconFile(int type) {
    Bytes images[2];
    const int sides[2] = {16, 32}, bits[2] = {4, 32};
    for (int k = 0; k < 2; ++k) {
        Bytes& b = images[k];
        vornik::AppendU32LE(b, 40);
        vornik::AppendU32LE(b, static_cast<std::uint32_t>(sides[k]));
        vornik::AppendU32LE(b, static_cast<std::uint32_t>(2 * sides[k]));
        vornik::AppendU16LE(b, 1);
        vornik::AppendU16LE(b, static_cast<std::uint16_t>(bits[k]));
        for (int i = 0; i < 6; ++i) vornik::AppendU32LE(b, 0);
        if (bits[k] == 4) b.insert(b.end(), 64, 0x40);
        b.insert(b.end(), static_cast<std::size_t>(((sides[k] * bits[k] + 31) / 32) * 4 * sides[k]), 0x5A);
        b.insert(b.end(), static_cast<std::size_t>(((sides[k] + 31) / 32) * 4 * sides[k]), 0x00);
    }
    Bytes out;
    vornik::AppendU16LE(out, 0);
    vornik::AppendU16LE(out, static_cast<std::uint16_t>(type));
    vornik::AppendU16LE(out, 2);
    std::size_t at = 6 + 32;
    for (int k = 0; k < 2; ++k) {
        out.push_back(static_cast<std::uint8_t>(sides[k]));
        out.push_back(static_cast<std::uint8_t>(sides[k]));
        out.push_back(bits[k] == 4 ? 16 : 0);
        out.push_back(0);
        vornik::AppendU16LE(out, static_cast<std::uint16_t>(type == 2 ? 3 : 1));
        vornik::AppendU16LE(out, static_cast<std::uint16_t>(type == 2 ? 5 : bits[k]));
        vornik::AppendU32LE(out, static_cast<std::uint32_t>(images[k].size()));
        vornik::AppendU32LE(out, static_cast<std::uint32_t>(at));
        at += images[k].size();
    }
    for (const Bytes& b : images) out.insert(out.end(), b.begin(), b.end());
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Bytes icons[2] = {iconFile(1), iconFile(2)};
    const std::uint8_t choice = size ? data[size - 1] : 0;
    const Bytes& icon = icons[choice & 1];
    vornik::ProgramIconOptions options;
    options.add = (choice & 2) != 0;
    options.stripSignature = (choice & 4) != 0;
    if (choice & 8) options.group = std::to_string(1 + (choice >> 4));
    // The option byte is no part of the program (it would read as data after the sections).
    if (size) --size;
    const vornik::ProgramIconResult r = vornik::SetProgramIcon(data, size, icon.data(), icon.size(), options);
    if (r.refusal != vornik::ProgramIconRefusal::None) {
        if (!r.output.empty() || r.reason.empty()) std::abort();
        return 0;
    }
    const Bytes& out = r.output;
    const vornik::ExeResources res = vornik::ReadExeResources(out.data(), out.size());
    if (!res.present || !res.damage.empty()) std::abort();
    // Resources are kept as they were: a problem of the output is one the input had.
    const vornik::ExeResources before = vornik::ReadExeResources(data, size);
    for (const std::string& p : res.problems)
        if (std::find(before.problems.begin(), before.problems.end(), p) == before.problems.end()) std::abort();
    // The group written holds both images.
    bool found = false;
    for (const vornik::ResourceGroup& g : res.groups)
        if (g.kind == 1 + (choice & 1) && g.members.size() == 2 && g.members[0].image >= 0 && g.members[1].image >= 0)
            found = true;
    if (!found) std::abort();
    vornik::PeHeaders pe;
    if (!vornik::ReadPeHeaders(out.data(), out.size(), vornik::FindPeHeader(out.data(), out.size()), pe).empty()) std::abort();
    const std::size_t at = pe.optionalHeader + vornik::PeHeaders::kCheckSum;
    if (vornik::ReadU32LE(out.data() + at) != vornik::PeChecksum(out.data(), out.size(), at)) std::abort();
    if (const char* dir = std::getenv("SET_ICON_OUTPUT_DIR")) {
        static unsigned serial = 0;
        const std::string name = std::string(dir) + "/out-" + std::to_string(++serial) + ".exe";
        if (std::FILE* f = std::fopen(name.c_str(), "wb")) {
            std::fwrite(out.data(), 1, out.size(), f);
            std::fclose(f);
        }
    }
    return 0;
}
