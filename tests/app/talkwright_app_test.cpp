#include "app/talkwright_app.h"

#include <gtest/gtest.h>

#include <QTabBar>
#include <QTimer>

#include "app/app_test_support.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/scripted_platform_services.h"

namespace tw {
namespace {

TEST(TalkwrightAppTest, StartUpSeedsPausesAndRemembersTheDirectoryInThatOrder) {
    ScriptedPlatformServices services;
    services.SetWorkingDirectory("/stories");
    std::vector<std::string> steps;
    CTalkwrightApp app(services, [&](std::chrono::milliseconds pause) {
        steps.push_back("pause " + std::to_string(pause.count()));
        services.SetWorkingDirectory("/after-pause");
    });
    app.InitInstance(1700000000);
    EXPECT_EQ(steps, std::vector<std::string>{"pause 1000"});
    EXPECT_EQ(app.RandomSeed(), 1700000000u);
    // Taken after the pause, as the last step before the window.
    EXPECT_EQ(app.StartupDirectory(), "/after-pause");
}

TEST(TalkwrightAppTest, RunOpensTheFilesNamedOnTheCommandLine) {
    ScriptedPlatformServices services;
    services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
    CTalkwrightApp app(services, nullptr);
    app.InitInstance(0);
    CTalkwrightDlg window(services);
    QStringList tabs;
    QTimer::singleShot(0, &window, [&window, &tabs] {
        for (int i = 0; i < window.Tabs()->count(); ++i) {
            tabs << window.Tabs()->tabText(i);
        }
        window.OnQuit();
    });
    EXPECT_EQ(
        app.Run(window, {test::SamplePath("innkeeper.vrx"), test::SamplePath("blacksmith.vrx")}),
        0);
    EXPECT_EQ(tabs, (QStringList{"Brannoc the Innkeeper", "Hedda Ironhand"}));
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tw
