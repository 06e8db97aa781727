#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/Errors.h"
#include "platform/FileMessages.h"
#include "platform/Message.h"

namespace vornik {
namespace {

// A translator that marks every template it is asked for.
std::string Marked(const char* context, const char* source) {
    return std::string("[") + context + "]" + source;
}

TEST(Message, EnglishFillsEveryValueInItsPlaceAndNestedMessagesToo) {
    const Message reason("T", "inner %1", {7});
    const Message m("T", "%2 then %1, %1 again; %3", {"a", reason, 42ull});
    EXPECT_EQ(EnglishText(m), "inner 7 then a, a again; 42");
    // A value the template does not name is left out; a marker without a
    // value shows nothing rather than "%4"; other percent signs stay.
    EXPECT_EQ(EnglishText(Message("T", "100% of %1 and %4", {"x", "unused"})), "100% of x and ");
    EXPECT_EQ(EnglishText(Message::Plain("50%1 literal")), "50%1 literal");
}

TEST(Message, TranslationReachesNestedTemplatesButNeverPlainText) {
    const Message m("Outer", "A %1 B %2", {Message("Inner", "x"), Message::Plain("%1 file")});
    EXPECT_EQ(RenderMessage(m, Marked), "[Outer]A [Inner]x B %1 file");
    // A context-free form (layout only) is used as it stands.
    EXPECT_EQ(RenderMessage(Message("", "%1\n%2", {Message("C", "one"), "two"}), Marked), "[C]one\ntwo");
}

TEST(Message, ErrorsCarryTheirMessageAndWhatIsItsEnglish) {
    const EInOutError io(FileProblem(filemsg::kCannotOpen, "/x/a.ico", ENOENT));
    EXPECT_STREQ(io.what(), "Cannot open file \"/x/a.ico\": No such file or directory");
    const Message m = MessageOf(io);
    EXPECT_STREQ(m.source, filemsg::kCannotOpen);
    // The system's reason is a message of its own, so it is translated too.
    EXPECT_EQ(RenderMessage(m, Marked),
              "[Files]Cannot open file \"/x/a.ico\": [SystemError]No such file or directory");

    const std::runtime_error foreign("library words");
    EXPECT_EQ(RenderMessage(MessageOf(foreign), Marked), "library words");
}

TEST(Message, UnknownSystemErrorsAreShownInTheLibrarysWords) {
    const Message known = SystemReason(EACCES);
    EXPECT_STREQ(known.context, "SystemError");
    const Message other = SystemReason(EXDEV);
    EXPECT_STREQ(other.context, "");
    EXPECT_EQ(RenderMessage(other, Marked), EnglishText(other));
}

}  // namespace
}  // namespace vornik
