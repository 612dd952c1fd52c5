#include "app/editor_command_line.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace tw {
namespace {

using Action = EditorCommandLine::Action;

EditorCommandLine Parse(QStringList arguments) {
    QCoreApplication::setApplicationName("Talkwright");
    QCoreApplication::setApplicationVersion("9.8.7");
    arguments.prepend("talkwright");
    return ParseEditorCommandLine(arguments);
}

TEST(EditorCommandLineTest, FilesAndQuitAfterAreTakenInOrder) {
    const EditorCommandLine plain = Parse({"a.vrx", "dir/b.vrx"});
    EXPECT_EQ(plain.action, Action::Run);
    EXPECT_EQ(plain.files, (std::vector<std::string>{"a.vrx", "dir/b.vrx"}));
    EXPECT_EQ(plain.quitAfterMs, -1);
    EXPECT_EQ(plain.autosaveSeconds, 30);
    EXPECT_EQ(Parse({"--autosave-interval", "0"}).autosaveSeconds, 0);

    const EditorCommandLine timed = Parse({"a.vrx", "--quit-after", "3000", "b.vrx"});
    EXPECT_EQ(timed.action, Action::Run);
    EXPECT_EQ(timed.quitAfterMs, 3000);
    EXPECT_EQ(timed.files, (std::vector<std::string>{"a.vrx", "b.vrx"}));

    // After "--" every argument is a file, even one that looks like an option.
    const EditorCommandLine dashed = Parse({"--", "--help"});
    EXPECT_EQ(dashed.action, Action::Run);
    EXPECT_EQ(dashed.files, (std::vector<std::string>{"--help"}));
}

// A file name is the file system's bytes (UTF-8 here), not the dialogue text's code page.
TEST(EditorCommandLineTest, FileNamesKeepTheFileSystemsBytes) {
    const EditorCommandLine result = Parse({QString::fromUtf8("Gasth\u00e4user.vrx")});
    ASSERT_EQ(result.files.size(), 1u);
    EXPECT_EQ(result.files[0], "Gasth\xc3\xa4user.vrx");
}

TEST(EditorCommandLineTest, HelpAndVersionAreAnsweredWithoutRunning) {
    for (const QString& option : {QString("--help"), QString("-h")}) {
        const EditorCommandLine help = Parse({option, "a.vrx"});
        EXPECT_EQ(help.action, Action::ShowText);
        EXPECT_EQ(help.ExitStatus(), 0);
        EXPECT_TRUE(help.text.contains("--quit-after <MS>")) << help.text.toStdString();
        EXPECT_TRUE(help.text.contains("--version")) << help.text.toStdString();
        EXPECT_TRUE(help.text.contains("--autosave-interval <SECONDS>"));
        EXPECT_TRUE(help.text.contains("[FILE.vrx ...]")) << help.text.toStdString();
    }
    const EditorCommandLine version = Parse({"--version"});
    EXPECT_EQ(version.action, Action::ShowText);
    EXPECT_EQ(version.text, "Talkwright 9.8.7\n");
    EXPECT_EQ(version.ExitStatus(), 0);
}

TEST(EditorCommandLineTest, MistakesAreReportedWithTheUsageAndStatusTwo) {
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"--frobnicate"}, "talkwright: Unknown option 'frobnicate'."},
        {{"a.vrx", "--quit-after"}, "talkwright: Missing value after '--quit-after'."},
        {{"--quit-after", "soon"},
         "talkwright: --quit-after needs a number of milliseconds, not 'soon'."},
        {{"--quit-after", "-5"},
         "talkwright: --quit-after needs a number of milliseconds, not '-5'."},
        {{"--autosave-interval", "often"},
         "talkwright: --autosave-interval needs a number of seconds, not 'often'."},
    };
    for (const auto& c : cases) {
        const EditorCommandLine result = Parse(c.arguments);
        EXPECT_EQ(result.action, Action::Fail) << c.message.toStdString();
        EXPECT_EQ(result.ExitStatus(), 2);
        EXPECT_TRUE(result.text.startsWith(c.message + "\n\n")) << result.text.toStdString();
        EXPECT_TRUE(result.text.contains("--quit-after <MS>")) << result.text.toStdString();
    }
}

}  // namespace
}  // namespace tw
