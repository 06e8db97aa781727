#pragma once

#include <utility>
#include <vector>

#include "platform/ReadIssue.h"

namespace vornik {

enum class ReadState { Read, ReadWithLosses, Refused };

// A reader's answer: the value it read, whether something was left out (and
// what), or why it refused. A refused result holds no value worth using; its
// caller keeps whatever it had before.
template <class T>
struct ReadResult {
    T value{};
    std::vector<Loss> losses;
    Refusal refusal;
    bool refused = false;

    ReadState State() const {
        if (refused) return ReadState::Refused;
        return losses.empty() ? ReadState::Read : ReadState::ReadWithLosses;
    }
    bool Ok() const { return !refused; }

    static ReadResult Refuse(RefusalCode code, std::string where = {}, std::string detail = {}) {
        ReadResult r;
        r.refused = true;
        r.refusal = {code, std::move(where), std::move(detail)};
        return r;
    }
};

}  // namespace vornik
