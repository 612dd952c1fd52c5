#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>

#include "ui/platform/qt_platform_services.h"
#include "support/scripted_platform_services.h"

namespace tw {
namespace {

using Message = ScriptedPlatformServices::Message;

TEST(ScriptedPlatformServicesTest, AnswersFromTheQueueAndRecordsTheQuestions) {
    ScriptedPlatformServices services;
    services.QueueAnswer(MessageAnswer::kNo);
    services.QueueAnswer(MessageAnswer::kCancel);
    EXPECT_EQ(services.ShowMessage(MessageKind::kQuestion, "Dialogue Editor",
                                   "Save changes to Hild?", MessageButtons::kYesNoCancel),
              MessageAnswer::kNo);
    EXPECT_EQ(services.ShowMessage(MessageKind::kQuestion, "Warning", "Delete?",
                                   MessageButtons::kOkCancel),
              MessageAnswer::kCancel);
    EXPECT_EQ(services.Messages(),
              (std::vector<Message>{
                  {"Dialogue Editor", "Save changes to Hild?", MessageButtons::kYesNoCancel,
                   MessageKind::kQuestion},
                  {"Warning", "Delete?", MessageButtons::kOkCancel, MessageKind::kQuestion}}));
    EXPECT_TRUE(services.Errors().empty());
    EXPECT_EQ(services.PendingAnswers(), 0u);
}

TEST(ScriptedPlatformServicesTest, AnUnexpectedQuestionIsAnError) {
    ScriptedPlatformServices services;
    std::vector<std::string> reported;
    services.SetFailureHook([&reported](const std::string& error) { reported.push_back(error); });
    EXPECT_EQ(services.ShowMessage(MessageKind::kError, "Error", "Unable to open file",
                                   MessageButtons::kOk),
              MessageAnswer::kOk);
    EXPECT_EQ(services.ShowMessage(MessageKind::kQuestion, "Dialogue Editor", "Save?",
                                   MessageButtons::kYesNoCancel),
              MessageAnswer::kCancel);
    EXPECT_EQ(
        services.ShowMessage(MessageKind::kQuestion, "Warning", "Sure?", MessageButtons::kYesNo),
        MessageAnswer::kNo);
    FileDialogRequest request;
    request.caption = "Open";
    EXPECT_EQ(services.ChooseFileToOpen(request), std::nullopt);
    const std::vector<std::string> expected{"unexpected message box: Error: Unable to open file",
                                            "unexpected message box: Dialogue Editor: Save?",
                                            "unexpected message box: Warning: Sure?",
                                            "unexpected file dialog: open Open"};
    EXPECT_EQ(services.Errors(), expected);
    EXPECT_EQ(reported, expected);
}

TEST(ScriptedPlatformServicesTest, FileDialogsTakeQueuedChoices) {
    ScriptedPlatformServices services;
    services.QueueFileChoice("/data/hild.vrx");
    services.QueueFileChoice(std::nullopt);
    FileDialogRequest request;
    request.filters = {{"Vorunda Dialogue Files (*.vrx)", "*.vrx"}, {"All Files (*.*)", "*.*"}};
    request.defaultExtension = "vrx";
    EXPECT_EQ(services.ChooseFileToOpen(request), "/data/hild.vrx");
    EXPECT_EQ(services.ChooseFileToSave(request), std::nullopt);
    ASSERT_EQ(services.FileDialogs().size(), 2u);
    EXPECT_FALSE(services.FileDialogs()[0].save);
    EXPECT_TRUE(services.FileDialogs()[1].save);
    EXPECT_EQ(services.FileDialogs()[1].request.filters, request.filters);
    EXPECT_TRUE(services.Errors().empty());
}

// The same behaviour is asked of both implementations.
void CheckClipboardAndProfile(PlatformServices& services) {
    services.SetClipboardData("NodeCommandList", std::string("\x01\x00\xff", 3));
    EXPECT_EQ(services.GetClipboardData("NodeCommandList"), std::string("\x01\x00\xff", 3));
    EXPECT_EQ(services.GetClipboardData("NodeResponseList"), std::nullopt);
    EXPECT_EQ(services.GetClipboardText(), std::nullopt);
    services.SetClipboardText("Caf\xe9");
    EXPECT_EQ(services.GetClipboardText(), "Caf\xe9");
    EXPECT_EQ(services.GetClipboardData("NodeCommandList"), std::nullopt);

    EXPECT_EQ(services.GetProfileString("vorunda", "current directory", "none"), "none");
    services.WriteProfileString("vorunda", "current directory", "/home/w/d\xe9");
    EXPECT_EQ(services.GetProfileString("Vorunda", "Current Directory", ""), "/home/w/d\xe9");
    EXPECT_EQ(services.GetProfileInt("66", "CX", 0), 0);
    services.WriteProfileInt("66", "CX", -640);
    EXPECT_EQ(services.GetProfileInt("66", "cx", 0), -640);
    EXPECT_EQ(services.GetProfileInt("66", "CY", 7), 7);
}

TEST(ScriptedPlatformServicesTest, ClipboardAndProfileLiveInMemory) {
    ScriptedPlatformServices services;
    CheckClipboardAndProfile(services);
    services.SetExistingDirectories({"/a", "/b"});
    EXPECT_TRUE(services.SetWorkingDirectory("/b"));
    EXPECT_FALSE(services.SetWorkingDirectory("/c"));
    EXPECT_EQ(services.GetWorkingDirectory(), "/b");
}

TEST(QtPlatformServicesTest, ClipboardAndProfileOnQt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString profile = dir.filePath("profile.ini");
    {
        QtPlatformServices services(nullptr, profile);
        CheckClipboardAndProfile(services);
    }
    QtPlatformServices reopened(nullptr, profile);
    EXPECT_EQ(reopened.GetProfileInt("66", "CX", 0), -640);
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

// The icon follows what the message is, whatever its caption says.
TEST(QtPlatformServicesTest, MessageIconFollowsTheKind) {
    EXPECT_EQ(MessageIcon(MessageKind::kError), QMessageBox::Critical);
    EXPECT_EQ(MessageIcon(MessageKind::kWarning), QMessageBox::Warning);
    EXPECT_EQ(MessageIcon(MessageKind::kQuestion), QMessageBox::Question);
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
