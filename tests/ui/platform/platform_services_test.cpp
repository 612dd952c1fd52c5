#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>

#include "support/scripted_platform_services.h"
#include "ui/platform/qt_platform_services.h"

namespace tw {
namespace {

// A directory kept in the profile is the file system's bytes, not Windows-1252 text, and
// comes back byte for byte.
const std::string kDirectory = "/home/zo\xC3\xAB/\x81\x8D\x8F\x90\x9D/d\xe9";

// The clipboard keeps bytes under a format name apart from its plain text; the profile's
// sections and keys are matched without regard to case. The tests' scripted services must
// answer as the real ones do.
void CheckClipboardAndProfile(PlatformServices& services) {
    services.SetClipboardData("NodeCommandList", std::string("\x01\x00\xff", 3));
    EXPECT_EQ(services.GetClipboardData("NodeCommandList"), std::string("\x01\x00\xff", 3));
    EXPECT_EQ(services.GetClipboardData("NodeResponseList"), std::nullopt);
    EXPECT_EQ(services.GetClipboardText(), std::nullopt);
    services.SetClipboardText("Caf\xe9");
    EXPECT_EQ(services.GetClipboardText(), "Caf\xe9");
    EXPECT_EQ(services.GetClipboardData("NodeCommandList"), std::nullopt);
    EXPECT_EQ(services.GetProfileString("vorunda", "current directory", "none"), "none");
    services.WriteProfileString("vorunda", "current directory", kDirectory);
    EXPECT_EQ(services.GetProfileString("Vorunda", "Current Directory", ""), kDirectory);
    services.WriteProfileInt("66", "CX", -640);
    EXPECT_EQ(services.GetProfileInt("66", "cx", 0), -640);
    EXPECT_EQ(services.GetProfileInt("66", "CY", 7), 7);
}

TEST(QtPlatformServicesTest, ClipboardAndProfileAnswerAsTheScriptedOnes) {
    ScriptedPlatformServices scripted;
    CheckClipboardAndProfile(scripted);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString profile = dir.filePath("profile.ini");
    {
        QtPlatformServices services(nullptr, profile);
        CheckClipboardAndProfile(services);
    }
    QtPlatformServices reopened(nullptr, profile);
    EXPECT_EQ(reopened.GetProfileInt("66", "CX", 0), -640);
    EXPECT_EQ(reopened.GetProfileString("vorunda", "current directory", ""), kDirectory);
}

// The bytes sit on the system clipboard under the MIME type Qt maps to the registered
// format name, and plain text set afterwards replaces them.
TEST(QtPlatformServicesTest, ClipboardFormatsAreTheRegisteredNames) {
    QtPlatformServices services;
    services.SetClipboardData("NodeResponseList", "abc");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("application/x-qt-windows-mime;value=\"NodeResponseList\""),
              QByteArray("abc"));
    services.SetClipboardText("plain");
    EXPECT_EQ(services.GetClipboardData("NodeResponseList"), std::nullopt);
    EXPECT_EQ(services.GetClipboardText(), "plain");
}

TEST(QtPlatformServicesTest, WorkingDirectory) {
    QtPlatformServices services;
    const std::string start = services.GetWorkingDirectory();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = QDir(dir.path()).canonicalPath().toStdString();
    EXPECT_TRUE(services.SetWorkingDirectory(path));
    EXPECT_EQ(services.GetWorkingDirectory(), path);
    EXPECT_FALSE(services.SetWorkingDirectory(path + "/missing"));
    EXPECT_EQ(services.GetWorkingDirectory(), path);
    EXPECT_TRUE(services.SetWorkingDirectory(start));
}

}  // namespace
}  // namespace tw
