#pragma once

#include <string>

#include "platform/Notice.h"

// Counts the notices a fuzz input raises; questions are answered "no".
class CountingNotices : public vornik::NoticeHandler {
public:
    void message(const vornik::Message&) override { ++count; }
    void warning(const vornik::Message&) override { ++count; }
    bool askYesNo(const vornik::Message&) override {
        ++count;
        return false;
    }
    int count = 0;
};
