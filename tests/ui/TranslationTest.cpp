// The interface in both languages: the built-in catalogs load, every command
// has a text in each, the Japanese ones are the editor's established texts,
// and the main window follows the language installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>

#include "NoticeRecorder.h"
#include "app/Commands.h"
#include "app/ReadMessages.h"
#include "model/SetNotices.h"
#include "platform/Errors.h"
#include "platform/FileMessages.h"
#include "app/Settings.h"
#include "platform/MemorySettingsStore.h"
#include "ui/StartOptions.h"
#include "ui/THelpViewer.h"
#include "ui/TfrmMain.h"
#include "ui/MessageText.h"
#include "ui/Translations.h"

using namespace vornik;

namespace {

// Installs a language for one test and puts the tests' Japanese back after.
struct Language {
    explicit Language(const QString& code) { loaded = InstallTranslations(code); }
    ~Language() { InstallTranslations("ja"); }
    bool loaded = false;
};

QString Caption(const char* name) { return CommandText(FindCommand(name)->caption); }
QString Hint(const char* name) { return CommandText(FindCommand(name)->hint); }

bool HasNonAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() > 0x7F) return true;
    return false;
}

}  // namespace

TEST(Translation, EveryCommandAndMenuHasATextInBothLanguagesWithItsMnemonic) {
    for (const QString code : {"ja", "en"}) {
        Language lang(code);
        ASSERT_TRUE(lang.loaded) << qPrintable(code);
        for (const CommandInfo& c : CommandTable()) {
            const QString caption = CommandText(c.caption);
            EXPECT_FALSE(caption.isEmpty()) << c.name << " " << qPrintable(code);
            // A menu item keeps a mnemonic in either language.
            if (c.place == CommandPlace::Menu && c.caption.find('&') != std::string_view::npos) {
                EXPECT_TRUE(caption.contains('&')) << c.name << " " << qPrintable(code);
            }
            // Japanese texts are really translated, not the English shown again.
            if (code == "ja") {
                EXPECT_TRUE(HasNonAscii(caption)) << c.name << " " << qPrintable(caption);
                if (!c.hint.empty()) {
                    EXPECT_TRUE(HasNonAscii(CommandText(c.hint))) << c.name;
                }
            } else {
                EXPECT_FALSE(HasNonAscii(caption)) << c.name << " " << qPrintable(caption);
            }
        }
        for (const MenuInfo& m : MenuTable()) EXPECT_FALSE(CommandText(m.caption).isEmpty()) << m.name;
    }
}

TEST(Translation, JapaneseTextsAreTheEditorsOwnExactly) {
    Language lang("ja");
    ASSERT_TRUE(lang.loaded);
    EXPECT_EQ(CommandText(MenuTable()[0].caption), "ファイル(&F)");
    EXPECT_EQ(Caption("SaveAs1"), "名前をつけて保存(&A)...");
    EXPECT_EQ(Hint("SaveAs1"), "名前を付けて保存します");
    EXPECT_EQ(Caption("Open1"), "開く(&O)...");
    EXPECT_EQ(Caption("Cut1"), "切り取り(&T)");
    // Half-width katakana and the stray apostrophe stay as they were.
    EXPECT_EQ(Caption("mnu_maskinv"), "ﾏｽｸの反転'(&M)");
    EXPECT_EQ(Caption("Option1"), "ｵﾌﾟｼｮﾝ(&O)");
    EXPECT_EQ(Hint("stbar1"), "ｽﾃｰﾀｽﾊﾞｰの表示を切り替えます");
    EXPECT_EQ(Hint("mnu_l90"), "左に90度回転します");
    EXPECT_EQ(Hint("tbl90"), "左に90度回転(&R)");
    EXPECT_EQ(Caption("view4"), "詳細");
    EXPECT_EQ(Caption("tbcopy"), "ｺﾋﾟｰ");
    EXPECT_EQ(QCoreApplication::translate("FileFilter", "Icon"), "ｱｲｺﾝ");
    EXPECT_EQ(QCoreApplication::translate("Status", "Search finished"), "検索終了");
}

TEST(Translation, MainWindowFollowsTheInstalledLanguage) {
    const auto menuBarTitles = [] {
        MemorySettingsStore store;
        test::NoticeRecorder notices;
        TfrmMain w(store);
        QStringList titles;
        for (QAction* a : w.menuBar()->actions()) titles << a->text();
        return titles;
    };
    {
        Language lang("en");
        EXPECT_EQ(menuBarTitles(), QStringList({"&File", "&View", "&Edit", "&Options", "&Help"}));
    }
    EXPECT_EQ(menuBarTitles(), QStringList({"ファイル(&F)", "表示(&V)", "編集(&E)", "ｵﾌﾟｼｮﾝ(&O)", "ヘルプ(&H)"}));
}

// The core's notices reach the user in the interface's language, nested
// reasons and all; the values stay as they are.
TEST(Translation, CoreMessagesAreShownInTheInstalledLanguage) {
    const Message full = setmsg::SetFull();
    const Message open = OpenFailedMessage("/tmp/a.ico", RefusalMessage({RefusalCode::EndsEarly, {}, {}}));
    const EInOutError io(FileProblem(filemsg::kCannotOpen, "a.ico", ENOENT));
    EXPECT_EQ(MessageText(full), QString::fromUtf8("これ以上追加できません"));
    EXPECT_EQ(MessageText(open),
              QString::fromUtf8("ファイル「a.ico」を開けませんでした。\nファイルが途中で切れています。\n(/tmp/a.ico)"));
    EXPECT_EQ(MessageText(io.message()),
              QString::fromUtf8("ファイル「a.ico」を開けません（ファイルまたはフォルダーがありません）"));
    Language lang("en");
    EXPECT_EQ(MessageText(full), QString::fromStdString(EnglishText(full)));
    EXPECT_EQ(MessageText(io.message()), "Cannot open file \"a.ico\": No such file or directory");
}

TEST(Translation, LanguageSettingAndCommandLine) {
    // Settings files from before the language setting read as Japanese.
    MemorySettingsStore store;
    store.write("option", "flat", "1");
    EXPECT_EQ(LoadSettings(store).language, kLanguageJapanese);
    EXPECT_EQ(LanguageCodeOf(LoadSettings(store).language), "ja");
    store.write("option", "language", "7");  // unknown: the default
    EXPECT_EQ(LoadSettings(store).language, kLanguageJapanese);
    Settings s;
    s.language = kLanguageEnglish;
    SaveSettings(s, store);
    EXPECT_EQ(LoadSettings(store).language, kLanguageEnglish);
    EXPECT_EQ(LanguageCodeOf(kLanguageEnglish), "en");
    const QString system = LanguageCodeOf(kLanguageSystem);
    EXPECT_TRUE(system == "ja" || system == "en");

    EXPECT_EQ(ParseStartOptions({"--lang", "en", "a.ico"}).lang, "en");
    EXPECT_EQ(ParseStartOptions({"--lang", "en", "a.ico"}).file, "a.ico");
    EXPECT_EQ(ParseStartOptions({"--lang=ja", "--screenshot", "s.png"}).lang, "ja");
    EXPECT_EQ(ParseStartOptions({"--lang=de"}).error, "unknown language de (en or ja)");
    EXPECT_FALSE(ParseStartOptions({"--lang"}).error.isEmpty());
    EXPECT_TRUE(ParseStartOptions({"a.ico"}).lang.isEmpty());
}

TEST(Translation, HelpFollowsTheLanguageWithTheSameTopics) {
    const auto topicsOf = [](const QString& code) {
        Language lang(code);
        EXPECT_TRUE(HelpDocumentPath().endsWith(HelpDocumentName(code)));
        QFile f(HelpDocumentPath());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return ParseHelpDocument(QString::fromUtf8(f.readAll()));
    };
    const auto ja = topicsOf("ja");
    const auto en = topicsOf("en");
    ASSERT_GT(ja.size(), 40u);
    ASSERT_EQ(ja.size(), en.size());
    for (std::size_t i = 0; i < ja.size(); ++i) {
        EXPECT_EQ(ja[i].id, en[i].id);
        EXPECT_FALSE(HasNonAscii(en[i].title)) << qPrintable(en[i].title);
        EXPECT_FALSE(en[i].keywords.isEmpty()) << qPrintable(en[i].id);
    }
    // Every help context a command carries has its topic in both.
    for (const CommandInfo& c : CommandTable()) {
        if (c.helpContext == 0) continue;
        const QString id = QString::number(c.helpContext);
        const auto has = [&id](const std::vector<HelpTopic>& t) {
            return std::any_of(t.begin(), t.end(), [&id](const HelpTopic& h) { return h.id == id; });
        };
        EXPECT_TRUE(has(ja)) << c.name;
        EXPECT_TRUE(has(en)) << c.name;
    }
}
