#include "model/IcnsRle.h"

#include <algorithm>

namespace vornik {

bool UnpackIcnsChannel(const std::uint8_t* data, std::size_t size, std::size_t* pos, std::uint8_t* out,
                       std::size_t count, std::size_t step) {
    std::size_t at = *pos, done = 0;
    while (done < count) {
        if (at >= size) return false;
        const std::uint8_t control = data[at++];
        if (control < 0x80) {
            const std::size_t n = std::size_t{control} + 1;
            if (n > size - at) return false;
            const std::size_t kept = std::min(n, count - done);
            for (std::size_t i = 0; i < kept; ++i) out[(done + i) * step] = data[at + i];
            at += n;
            done += kept;
        } else {
            if (at >= size) return false;
            const std::uint8_t value = data[at++];
            const std::size_t kept = std::min<std::size_t>(std::size_t{control} - 125, count - done);
            for (std::size_t i = 0; i < kept; ++i) out[(done + i) * step] = value;
            done += kept;
        }
    }
    *pos = at;
    return true;
}

void PackIcnsChannel(const std::uint8_t* in, std::size_t count, std::size_t step, Bytes& out) {
    auto at = [&](std::size_t i) { return in[i * step]; };
    std::size_t i = 0;
    while (i < count) {
        // A run of three or more is worth a control byte of its own.
        std::size_t run = 1;
        while (i + run < count && run < 130 && at(i + run) == at(i)) ++run;
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(run + 125));
            out.push_back(at(i));
            i += run;
            continue;
        }
        // Literal bytes up to the next run of three.
        std::size_t n = 0;
        while (i + n < count && n < 128) {
            if (i + n + 2 < count && at(i + n) == at(i + n + 1) && at(i + n) == at(i + n + 2)) break;
            ++n;
        }
        out.push_back(static_cast<std::uint8_t>(n - 1));
        for (std::size_t k = 0; k < n; ++k) out.push_back(at(i + k));
        i += n;
    }
}

}  // namespace vornik
