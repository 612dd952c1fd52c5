// talkwright: the dialogue editor. Usage: talkwright [--quit-after MS] [FILE.vrx ...]
// --quit-after closes the window after MS milliseconds, so a script can prove that the
// editor starts and opens its files without anybody at the screen.

#include <QApplication>
#include <QTimer>
#include <ctime>
#include <string>
#include <vector>

#include "app/talkwright_app.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/qt_platform_services.h"
#include "ui/platform/text_codec.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Vorunda");
    QApplication::setApplicationName("Talkwright");
    std::vector<std::string> files;
    int quitAfterMs = -1;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--quit-after" && i + 1 < arguments.size()) {
            quitAfterMs = arguments[++i].toInt();
        } else {
            files.push_back(tw::ToPath(arguments[i]));
        }
    }
    tw::QtPlatformServices services;
    tw::CTalkwrightApp app(services);
    app.InitInstance(std::time(nullptr));
    tw::CTalkwrightDlg window(services);
    services.SetDialogParent(&window);
    if (quitAfterMs >= 0) {
        QTimer::singleShot(quitAfterMs, &window, [&window] { window.OnQuit(); });
    }
    return app.Run(window, files);
}
