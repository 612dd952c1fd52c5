#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace tw {

// What the editor's command line asks for. Help, version and errors are answered before any
// window exists, so they work without a display.
struct EditorCommandLine {
    enum class Action { Run, ShowText, Fail };

    Action action = Action::Run;
    QString text;  // the help or version text (standard output) or the error (standard error)
    std::vector<std::string> files;
    int quitAfterMs = -1;      // -1: the window stays until it is closed
    int autosaveSeconds = 30;  // how old unsaved work may be in its recovery copy; 0: none

    // The exit status when the program stops without running the window.
    int ExitStatus() const { return action == Action::Fail ? 2 : 0; }
};

// Reads the arguments, program name first. Needs a QCoreApplication (or QApplication)
// carrying the application name and version.
EditorCommandLine ParseEditorCommandLine(const QStringList& arguments);

}  // namespace tw
