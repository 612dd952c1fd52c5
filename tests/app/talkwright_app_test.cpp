#include "app/talkwright_app.h"

#include <gtest/gtest.h>

#include <QTabBar>
#include <QTimer>

#include "support/app_test_support.h"
#include "support/window_controls.h"
#include "ui/main_window/talkwright_dlg.h"
#include "support/scripted_platform_services.h"

namespace tw {
namespace {

TEST(TalkwrightAppTest, StartUpSeedsPausesAndRemembersTheDirectoryInThatOrder) {
    ScriptedPlatformServices services;
    services.SetWorkingDirectory("/stories");
    const int firstSeeded = RandomSource(1700000000).Next();
    std::vector<std::string> steps;
    CTalkwrightApp* started = nullptr;
    CTalkwrightApp app(services, [&](std::chrono::milliseconds pause) {
        RandomSource atPause = started->Random();  // a copy: the run's numbers stay unused
        steps.push_back(atPause.Next() == firstSeeded ? "seeded" : "not seeded");
        steps.push_back("pause " + std::to_string(pause.count()));
        services.SetWorkingDirectory("/after-pause");
    });
    started = &app;
    app.InitInstance(1700000000);
    EXPECT_EQ(steps, (std::vector<std::string>{"seeded", "pause 1000"}));
    EXPECT_EQ(app.Random().Next(), firstSeeded);
    // Taken after the pause, as the last step before the window.
    EXPECT_EQ(app.StartupDirectory(), "/after-pause");
}

TEST(TalkwrightAppTest, RunHandsOverTheRandomNumbersAndOpensTheFilesNamed) {
    ScriptedPlatformServices services;
    services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
    CTalkwrightApp app(services, nullptr);
    app.InitInstance(0);
    CTalkwrightDlg window(services);
    EXPECT_EQ(window.Random(), nullptr);
    QStringList tabs;
    QTimer::singleShot(0, &window, [&window, &tabs] {
        for (int i = 0; i < test::DialogueTabs(window)->count(); ++i) {
            tabs << test::DialogueTabs(window)->tabText(i);
        }
        window.OnQuit();
    });
    EXPECT_EQ(
        app.Run(window, {test::SamplePath("innkeeper.vrx"), test::SamplePath("blacksmith.vrx")}),
        0);
    EXPECT_EQ(tabs, (QStringList{"Brannoc the Innkeeper", "Hedda Ironhand"}));
    EXPECT_FALSE(window.isVisible());
    // The window's tests draw from the application's one seeded source.
    EXPECT_EQ(window.Random(), &app.Random());
}

}  // namespace
}  // namespace tw
