#include "app/editor_command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "ui/platform/text_codec.h"

namespace tw {
namespace {

const QCommandLineOption kQuitAfter(QStringList{"quit-after"},
                                    "Close the window after MS milliseconds (for scripts).", "MS");
const QCommandLineOption kAutosaveInterval(
    QStringList{"autosave-interval"},
    "Keep a recovery copy of unsaved work SECONDS after its first change (default 30; 0 "
    "keeps none).",
    "SECONDS");

void SetUpParser(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Talkwright: editor and tester for branching NPC dialogue files (.vrx).");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(kQuitAfter);
    parser.addOption(kAutosaveInterval);
    parser.addPositionalArgument("files", "Dialogue files to open.", "[FILE.vrx ...]");
}

EditorCommandLine Failure(const QCommandLineParser& parser, const QString& error) {
    EditorCommandLine result;
    result.action = EditorCommandLine::Action::Fail;
    result.text = "talkwright: " + error + "\n\n" + parser.helpText();
    return result;
}

EditorCommandLine ShowText(const QString& text) {
    EditorCommandLine result;
    result.action = EditorCommandLine::Action::ShowText;
    result.text = text;
    return result;
}

}  // namespace

EditorCommandLine ParseEditorCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    SetUpParser(parser);
    if (!parser.parse(arguments)) {
        return Failure(parser, parser.errorText());
    }
    if (parser.isSet("help")) {
        return ShowText(parser.helpText());
    }
    if (parser.isSet("version")) {
        return ShowText(QCoreApplication::applicationName() + " " +
                        QCoreApplication::applicationVersion() + "\n");
    }
    EditorCommandLine result;
    if (parser.isSet(kQuitAfter)) {
        bool isNumber = false;
        result.quitAfterMs = parser.value(kQuitAfter).toInt(&isNumber);
        if (!isNumber || result.quitAfterMs < 0) {
            return Failure(parser, "--quit-after needs a number of milliseconds, not '" +
                                       parser.value(kQuitAfter) + "'.");
        }
    }
    if (parser.isSet(kAutosaveInterval)) {
        bool isNumber = false;
        result.autosaveSeconds = parser.value(kAutosaveInterval).toInt(&isNumber);
        if (!isNumber || result.autosaveSeconds < 0) {
            return Failure(parser, "--autosave-interval needs a number of seconds, not '" +
                                       parser.value(kAutosaveInterval) + "'.");
        }
    }
    for (const QString& file : parser.positionalArguments()) {
        result.files.push_back(ToPath(file));
    }
    return result;
}

}  // namespace tw
