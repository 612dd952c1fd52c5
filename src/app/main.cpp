// talkwright: the dialogue editor.
// Usage: talkwright [--quit-after MS] [--autosave-interval SECONDS] [FILE.vrx ...]
// --quit-after closes the window after MS milliseconds, so a script can prove that the
// editor starts and opens its files without anybody at the screen.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "app/editor_command_line.h"
#include "app/talkwright_app.h"
#include "talkwright_version.h"
#include "ui/dialogs/program_icon.h"
#include "ui/document/recovery_service.h"
#include "ui/main_window/recovery_offer.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/qt_platform_services.h"

namespace {

void SetApplicationNames() {
    QCoreApplication::setOrganizationName("Vorunda");
    QCoreApplication::setApplicationName("Talkwright");
    QCoreApplication::setApplicationVersion(QString::fromLatin1(
        tw::kTalkwrightVersion.data(), static_cast<qsizetype>(tw::kTalkwrightVersion.size())));
}

// The command line is read under a plain QCoreApplication first, so that --help, --version
// and mistakes are answered on a machine without any display.
tw::EditorCommandLine ReadCommandLine(int argc, char** argv) {
    QCoreApplication probe(argc, argv);
    SetApplicationNames();
    return tw::ParseEditorCommandLine(QCoreApplication::arguments());
}

int RunEditor(int argc, char** argv, const tw::EditorCommandLine& commandLine) {
    QApplication application(argc, argv);
    SetApplicationNames();
    QGuiApplication::setDesktopFileName("org.talkwright.Talkwright");
    QApplication::setWindowIcon(tw::ProgramIcon());
    tw::QtPlatformServices services;
    tw::CTalkwrightApp app(services);
    app.InitInstance(std::time(nullptr));
    tw::CTalkwrightDlg window(services);
    services.SetDialogParent(&window);
    tw::RecoveryService recovery(window.Documents(), tw::DefaultRecoveryDirectory(),
                                 std::chrono::seconds(commandLine.autosaveSeconds));
    recovery.SetFailureReport([&services](const std::string& message) {
        services.ShowMessage(tw::MessageKind::kError, "Error", message, tw::MessageButtons::kOk);
    });
    // Offered once the window is up, after the files of the command line.
    QTimer::singleShot(0, &window, [&recovery, &services, &window] {
        tw::OfferRecovery(recovery, services, tw::RunModal, &window);
    });
    if (commandLine.quitAfterMs >= 0) {
        QTimer::singleShot(commandLine.quitAfterMs, &window, [&window] { window.OnQuit(); });
    }
    return app.Run(window, commandLine.files);
}

}  // namespace

int main(int argc, char** argv) {
    const tw::EditorCommandLine commandLine = ReadCommandLine(argc, argv);
    if (commandLine.action != tw::EditorCommandLine::Action::Run) {
        std::FILE* stream =
            commandLine.action == tw::EditorCommandLine::Action::Fail ? stderr : stdout;
        const bool written = std::fputs(commandLine.text.toLocal8Bit().constData(), stream) >= 0 &&
                             std::fflush(stream) == 0;
        return written ? commandLine.ExitStatus() : 1;
    }
    return RunEditor(argc, argv, commandLine);
}
