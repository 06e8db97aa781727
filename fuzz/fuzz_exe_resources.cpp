// Resource directory of executables: any bytes are read without a crash, a
// hang or a read outside the input, every image located lies inside it, and
// the editor's set built from it holds only entries that really decoded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/ExeResourceSet.h"
#include "model/ExeResources.h"
#include "model/TIconEx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vornik::ExeResources r = vornik::ReadExeResources(data, size);
    if (!r.present && (!r.groups.empty() || !r.icons.empty() || !r.cursors.empty())) std::abort();
    for (int kind = 1; kind <= 2; ++kind)
        for (const vornik::ResourceImage& i : r.ImagesOf(kind))
            if (i.size == 0 || i.offset > size || i.size > size - i.offset) std::abort();
    for (const vornik::ResourceGroup& g : r.groups)
        for (const vornik::GroupMember& m : g.members)
            if (m.image >= static_cast<int>(r.ImagesOf(g.kind).size())) std::abort();
    static vornik::TExeEXsub set;
    set.Clear();
    if (r.present) {
        vornik::FillSetFromResources(data, size, r, set);
        if (set.Origins.size() != static_cast<std::size_t>(set.Count)) std::abort();
        for (int i = 0; i < set.Count; ++i)
            if (set.Entries[i].InfoHeader.size() < 40 || set.Entries[i].XorBits.empty()) std::abort();
    }
    return 0;
}
