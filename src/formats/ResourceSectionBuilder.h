#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/ResourceDirectory.h"
#include "platform/Bytes.h"

namespace vornik {

// One resource to lay out: its path and its bytes (borrowed, not owned).
struct SectionResource {
    ResourceKey type;
    ResourceKey name;
    std::uint16_t language = 0;
    std::uint32_t codePage = 0;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Names first (ASCII letters compared without case, as the loader looks
// them up), then ids ascending; languages ascending.
bool ResourceKeyBefore(const ResourceKey& a, const ResourceKey& b);

// The bytes of a resource section holding these resources, to be mapped at
// sectionRva: the tables (root, types' name tables, names' language tables),
// the data entries, the name strings, then each resource's bytes on an
// 8-byte boundary. rootHead gives every table's characteristics, time stamp
// and version. Two resources with one path keep the first.
Bytes BuildResourceSection(std::vector<SectionResource> resources, std::uint32_t sectionRva,
                           const std::uint8_t rootHead[12]);

}  // namespace vornik
