#include "app/editor_command_line.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <fstream>

namespace tw {
namespace {

using Action = EditorCommandLine::Action;

EditorCommandLine Parse(QStringList arguments) {
    QCoreApplication::setApplicationName("Talkwright");
    arguments.prepend("talkwright");
    return ParseEditorCommandLine(arguments);
}

// What the window is to run with, or for a mistake the message, the usage and status 2.
std::string Outcome(const EditorCommandLine& result) {
    if (result.action == Action::Fail) {
        EXPECT_EQ(result.ExitStatus(), 2);
        EXPECT_TRUE(result.text.contains("--quit-after <MS>")) << result.text.toStdString();
        return result.text.section("\n\n", 0, 0).toStdString();
    }
    std::string files;
    for (const std::string& file : result.files) {
        files += (files.empty() ? "" : "|") + file;
    }
    return (result.action == Action::Run ? "run " : "show ") + files + " quit " +
           std::to_string(result.quitAfterMs) + " autosave " +
           std::to_string(result.autosaveSeconds);
}

TEST(EditorCommandLineTest, EveryLineOfTheTable) {
    std::ifstream table(TW_SOURCE_DIR "/tests/app/data/command_lines.txt");
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.starts_with("#"))
            continue;
        const QString text = QString::fromStdString(line);
        EXPECT_EQ(Outcome(Parse(text.section('\t', 0, 0).split(' '))),
                  text.section('\t', 1).toStdString());
        ++cases;
    }
    EXPECT_EQ(cases, 10);
}

}  // namespace
}  // namespace tw
