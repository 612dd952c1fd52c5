#include "ui/main_window/recent_files.h"

#include <gtest/gtest.h>

#include "support/scripted_platform_services.h"

namespace tw {
namespace {

std::vector<std::string> ProfileEntries(ScriptedPlatformServices& services) {
    std::vector<std::string> keys;
    for (const char* key : {"File1", "File2", "File3", "File4"}) {
        keys.push_back(services.GetProfileString("Recent File List", key, "?"));
    }
    return keys;
}

// The list starts from the profile, skipping a key left empty; each file opened goes to the
// top once, the oldest falls off past four, and a removed file's key is cleared.
TEST(RecentFileListTest, NewestFirstNoDuplicatesAtMostFourKeptInTheProfile) {
    ScriptedPlatformServices services;
    services.WriteProfileString("Recent File List", "File1", "/a.vrx");
    services.WriteProfileString("Recent File List", "File3", "/c.vrx");
    RecentFileList recent(services);
    EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"/a.vrx", "/c.vrx"}));
    for (const char* path : {"/1.vrx", "/2.vrx", "/3.vrx", "/4.vrx", "/5.vrx", "/3.vrx"}) {
        recent.Add(path);
    }
    const std::vector<std::string> expected{"/3.vrx", "/5.vrx", "/4.vrx", "/2.vrx"};
    EXPECT_EQ(recent.Entries(), expected);
    EXPECT_EQ(ProfileEntries(services), expected);
    EXPECT_EQ(RecentFileList(services).Entries(), expected);
    recent.Remove("/5.vrx");
    EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"/3.vrx", "/4.vrx", "/2.vrx"}));
    EXPECT_EQ(ProfileEntries(services),
              (std::vector<std::string>{"/3.vrx", "/4.vrx", "/2.vrx", ""}));
}

}  // namespace
}  // namespace tw
