#pragma once

#include "imaging/TQvClipboard.h"

namespace vornik::test {

// A memory clipboard that, like the platform, offers CF_BITMAP wherever there
// is a CF_DIB.
class DibClipboard : public TQvMemoryClipboard {
public:
    bool HasFormat(std::uint32_t format) const override {
        return TQvMemoryClipboard::HasFormat(format == CF_BITMAP ? CF_DIB : format);
    }
};

}  // namespace vornik::test
