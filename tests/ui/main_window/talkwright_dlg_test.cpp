// The main window's files and documents driven as a writer drives them, with the platform's
// questions and file dialogs answered by the scripted services.

#include <QApplication>
#include <QProgressDialog>
#include <QTimer>

#include "generator/dialogue_generator.h"
#include "model/dialogue_json.h"
#include "model/text/rich_text.h"
#include "model/text/rtf_reader.h"
#include "ui/dialogs/editing_dialog.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

class WindowFilesTest : public MainWindowTest {
public:
    TempDir dir{"window_files"};
};

TEST_F(WindowFilesTest, StartsOnTheUntitledScratchDocumentThatAFileReplaces) {
    EXPECT_EQ(TabTitles(), QStringList{"Untitled"});
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- Untitled");
    EXPECT_TRUE(NpcName()->isReadOnly());
    EXPECT_EQ(TreeDump(), "Initialization Node(0)");
    EXPECT_FALSE(NodeText()->isEnabled());
    EXPECT_EQ(NodeText()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_FALSE(Button(control_id::kAddResponse)->isEnabled());
    OpenFile(SamplePath("innkeeper.vrx"));
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});  // in place of the scratch
}

TEST_F(WindowFilesTest, TypedTextAndCommentsGoIntoTheNodeAndLeaveTheRestAsItWas) {
    OpenFile(SamplePath("innkeeper.vrx"));
    const std::string rtf = Node("WelcomeBack").GetText();
    Select("WelcomeBack [returning guest]");
    QTest::keyClicks(Comments(), "x");
    EXPECT_EQ(Node("WelcomeBack").GetText(), rtf);
    EXPECT_EQ(Node("WelcomeBack").GetComments(), "x");
    Select("Farewell");
    QTest::keyClick(NodeText(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(NodeText(), " Mind the wolves.");
    EXPECT_TRUE(Node("Farewell").IsTextRich());
    EXPECT_EQ(PlainText(ReadRtf(Node("Farewell").GetText())),
              "Safe roads, friend. Mind the wolves.");
    const std::string comment(40000, 'c');  // a long comment is shown and kept whole
    Comments()->setText(QString::fromStdString(comment));
    QTest::keyClicks(Comments(), "!");
    EXPECT_EQ(Node("Farewell").GetComments(), comment + "!");
}

TEST_F(WindowFilesTest, ExportWritesTheScriptAndBatchExportAWholeDirectory) {
    namespace fs = std::filesystem;
    fs::create_directories(dir.Path() / "source/sub");
    OpenFile(SamplePath("innkeeper.vrx"));
    services.QueueFileChoice(dir.File("inn.txt"));
    Trigger("export");
    EXPECT_EQ(services.FileDialogs().back().request.filters,
              (std::vector<FileFilter>{{"Rich Text Format (*.rtf)", "*.rtf"},
                                       {"ASCII Text format (*.txt)", "*.txt"}}));
    const std::string script = ReadFile(dir.File("inn.txt"));
    EXPECT_NE(script.find("goto WelcomeBack"), std::string::npos);
    EXPECT_NE(script.find("\r\n"), std::string::npos);
    services.QueueFileChoice(dir.File("missing/inn.txt"));
    services.QueueAnswer(MessageAnswer::kOk);
    Trigger("export");
    EXPECT_EQ(services.Messages().back().text, "Unable to create output file");

    dir.CopySample("innkeeper.vrx", "source/a.vrx");
    dir.CopySample("blacksmith.vrx", "source/sub/b.vrx");
    dir.CopySample("blacksmith.vrx", "source/C.VRX");
    dir.Write("source/broken.vrx", "not a dialogue");
    services.SetWorkingDirectory(dir.File("source"));
    services.QueueFileChoice(dir.File("out.txt"));
    services.QueueAnswer(MessageAnswer::kOk);  // broken.vrx can't be read
    QString progress;
    QTimer::singleShot(0, [&progress] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QProgressDialog*>(widget);
                dialog && dialog->isVisible()) {
                progress = dialog->windowTitle() + QString(" %1").arg(dialog->maximum());
            }
        }
    });
    Trigger("batchExport");
    EXPECT_EQ(progress, "Batch Export 3");  // a.vrx, broken.vrx and sub/b.vrx
    EXPECT_TRUE(fs::exists(dir.Path() / "a.txt"));
    EXPECT_NE(ReadFile(dir.File("b.txt")).find("Hedda"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.Path() / "C.txt") || fs::exists(dir.Path() / "broken.txt"));
}

// Edit Command and OK on every kind of command leaves each as it was.
TEST_F(WindowFilesTest, EditCommandKeepsEveryKindAsItWas) {
    OpenFile(dir.Write("generated.vrx", GenerateDialogue({.nodes = 30, .seed = 5})->Write()));
    const std::string before = DialogueToJson(Current());
    int edited = 0;
    window->SetDialogRunner([&edited](QDialog& dialog) {
        dialog.show();
        dynamic_cast<CEditingDialog&>(dialog).Control<QAbstractButton>(1)->click();
        edited += dialog.result() == QDialog::Accepted ? 1 : 0;
        return dialog.result();
    });
    for (int i = 0; i < 12 && i < Tree()->topLevelItemCount(); ++i) {
        Select(Tree()->topLevelItem(i)->text(0));
        for (int row = 0; row < CommandList()->RowCount(); ++row) {
            QTest::mouseClick(
                CommandList()->viewport(), Qt::LeftButton, {},
                CommandList()->visualItemRect(CommandList()->topLevelItem(row)).center());
            Press(control_id::kEditCommand);
        }
    }
    EXPECT_GE(edited, 20);
    EXPECT_EQ(DialogueToJson(Current()), before);
}

TEST(MainWindowProfileTest, TheWorkingDirectoryComesBackFromTheProfile) {
    TempDir dir("profile");
    ScriptedPlatformServices services;
    services.WriteProfileString("vorunda", "current directory", dir.Path().string());
    CTalkwrightDlg window(services);
    EXPECT_EQ(services.GetWorkingDirectory(), dir.Path().string());
    EXPECT_FALSE(window.findChild<QMenu*>("recentFiles")->isEnabled());  // greyed while none
}

}  // namespace
}  // namespace tw::test
