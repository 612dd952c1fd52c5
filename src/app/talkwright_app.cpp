#include "app/talkwright_app.h"

#include <thread>

#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/platform_services.h"

namespace tw {

CTalkwrightApp::CTalkwrightApp(PlatformServices& services, Pause pause)
    : services_(services), pause_(std::move(pause)) {}

void CTalkwrightApp::SleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

void CTalkwrightApp::InitInstance(std::time_t now) {
    random_.Seed(static_cast<std::uint32_t>(now));
    if (pause_) {
        pause_(kStartupPause);
    }
    startupDirectory_ = services_.GetWorkingDirectory();
}

int CTalkwrightApp::Run(CTalkwrightDlg& window, const std::vector<std::string>& files) {
    window.SetRandomSource(random_);
    window.SetStartupDirectory(startupDirectory_);
    for (const std::string& file : files) {
        window.OpenDialogueFile(file);
    }
    window.exec();
    return 0;
}

}  // namespace tw
