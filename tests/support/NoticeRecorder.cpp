#include "NoticeRecorder.h"

namespace vornik::test {

bool NoticeRecorder::askYesNo(const Message& text) {
    notices.push_back({"question", EnglishText(text)});
    messages.push_back(text);
    if (answers.empty()) return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::string> NoticeRecorder::texts() const {
    std::vector<std::string> out;
    for (const auto& n : notices) out.push_back(n.text);
    return out;
}

}  // namespace vornik::test
