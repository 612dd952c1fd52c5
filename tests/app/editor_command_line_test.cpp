#include "app/editor_command_line.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <fstream>

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
        for (const char* part :
             {"--quit-after <MS>", "--version", "--autosave-interval <SECONDS>", "[FILE.vrx ...]"})
            EXPECT_TRUE(help.text.contains(part)) << help.text.toStdString();
    }
    const EditorCommandLine version = Parse({"--version"});
    EXPECT_EQ(version.action, Action::ShowText);
    EXPECT_EQ(version.text, "Talkwright 9.8.7\n");
    EXPECT_EQ(version.ExitStatus(), 0);
}

TEST(EditorCommandLineTest, MistakesAreReportedWithTheUsageAndStatusTwo) {
    std::ifstream table(TW_SOURCE_DIR "/tests/app/data/command_line_mistakes.txt");
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.starts_with("#"))
            continue;
        const QString text = QString::fromStdString(line);
        const EditorCommandLine result = Parse(text.section('\t', 0, 0).split(' '));
        EXPECT_EQ(result.action, Action::Fail) << line;
        EXPECT_EQ(result.ExitStatus(), 2);
        EXPECT_TRUE(result.text.startsWith(text.section('\t', 1) + "\n\n"))
            << result.text.toStdString();
        EXPECT_TRUE(result.text.contains("--quit-after <MS>")) << line;
        ++cases;
    }
    EXPECT_EQ(cases, 5);
}

}  // namespace
}  // namespace tw
