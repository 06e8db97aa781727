#pragma once

#include <string>

#include "platform/Notice.h"

// Counts the notices a fuzz input raises; questions are answered "no".
class CountingNotices : public vornik::NoticeHandler {
public:
    void message(const std::string&) override { ++count; }
    void warning(const std::string&) override { ++count; }
    bool askYesNo(const std::string&) override {
        ++count;
        return false;
    }
    int count = 0;
};
