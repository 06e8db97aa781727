#include "platform/Notice.h"

#include <gtest/gtest.h>

#include "NoticeRecorder.h"

using vornik::test::NoticeRecorder;

TEST(Notice, RecorderSeesExactTextsAndAnswers) {
    NoticeRecorder rec;
    rec.answers = {true};
    vornik::ShowMessage("the set is full (1000 images); nothing more can be added");
    vornik::ShowWarning("w");
    EXPECT_TRUE(vornik::AskYesNo("q1"));
    EXPECT_FALSE(vornik::AskYesNo("q2"));  // script ran out: no
    ASSERT_EQ(rec.notices.size(), 4u);
    EXPECT_EQ(rec.notices[0], (NoticeRecorder::Notice{
                                  "message", "the set is full (1000 images); nothing more can be added"}));
    EXPECT_EQ(rec.notices[1].kind, "warning");
    EXPECT_EQ(rec.notices[3].text, "q2");
}

TEST(Notice, WithoutHandlerGoesToStandardErrorAndAnswersNo) {
    ASSERT_EQ(vornik::CurrentNoticeHandler(), nullptr);
    testing::internal::CaptureStderr();
    vornik::ShowMessage("hello");
    bool answer = vornik::AskYesNo("sure?");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(answer);
    EXPECT_NE(err.find("hello\n"), std::string::npos);
    EXPECT_NE(err.find("sure?"), std::string::npos);
}

TEST(Notice, ScopedHandlerRestoresPrevious) {
    {
        NoticeRecorder outer;
        {
            NoticeRecorder inner;
            vornik::ShowMessage("x");
            EXPECT_EQ(inner.notices.size(), 1u);
        }
        vornik::ShowMessage("y");
        EXPECT_EQ(outer.texts(), std::vector<std::string>{"y"});
    }
    EXPECT_EQ(vornik::CurrentNoticeHandler(), nullptr);
}
