// "Dialogue State" through its widgets.

#include "ui/tester/state_dlg.h"

#include <QListWidget>
#include <QTest>

#include "script/environment.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/tester/list_input.h"
#include "ui/tester/tester_ui_fixture.h"

namespace tw::test {
namespace {

using StateDlgTest = TesterUiTest;

QStringList Column(EnhancedListCtrl& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.RowCount(); ++row)
        texts << list.ItemText(row, column);
    return texts;
}

// The dialog on screen and active, so that clicks and keys reach it as a user's do.
void Show(CStateDlg& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

TEST_F(StateDlgTest, ShowsTheEnvironmentAndLoadsTheDefaultFile) {
    Environment environment;
    const std::filesystem::path defaultFile = DataPath("innkeeper.state.txt");
    CStateDlg dialog(environment, &defaultFile, services);
    EXPECT_EQ(dialog.windowTitle(), "Dialogue State");
    EnhancedListCtrl& variables = FindList(dialog, "Variables");
    EXPECT_EQ(Column(variables, 0), QStringList({"$gold", "$randmax", ""}));
    EXPECT_EQ(Column(variables, 1), QStringList({"12", "6", ""}));
    SaveShot(dialog, "state_dlg");
    const std::filesystem::path missing = DataPath("no-such.state.txt");
    Environment empty;
    CStateDlg quiet(empty, &missing, services);  // a missing default file says nothing
    EXPECT_EQ(quiet.List(StateList::kVariables)->RowCount(), 1);
}

TEST_F(StateDlgTest, ASecondClickEditsEitherCellAndTheEntryRowAddsRows) {
    Environment environment;
    const std::filesystem::path defaultFile = DataPath("innkeeper.state.txt");
    CStateDlg dialog(environment, &defaultFile, services);
    Show(dialog);
    EnhancedListCtrl& variables = FindList(dialog, "Variables");
    ClickCell(variables, 1, 1);
    EXPECT_EQ(variables.CurrentEditor(), nullptr);  // the first click only selects
    ClickCell(variables, 1, 1);
    ASSERT_NE(OpenEditor(), nullptr);
    EXPECT_EQ(OpenEditor()->text(), "6");
    TypeAndCommit("9");
    ClickCell(variables, 1, 0);
    TypeAndCommit("dice");
    EditCell(variables, 2, 0, "count");  // the entry row
    EXPECT_EQ(Column(variables, 0), QStringList({"$gold", "$dice", "$count", ""}));
    ClickCell(variables, 2, 1);  // still the current row: edits at once
    TypeAndCommit(" 3 ");
    EXPECT_EQ(Column(variables, 1), QStringList({"12", "9", "3", ""}));
    QTest::mouseClick(dialog.Button("OK"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(environment.Get("$count").GetInteger(), 3);
    EXPECT_EQ(environment.Get("$dice").GetInteger(), 9);
    EXPECT_FALSE(environment.IsDefined("$randmax"));
}

TEST_F(StateDlgTest, TypingOnTheEntryRowAndF2EditAndEscapeCancels) {
    Environment environment;
    CStateDlg dialog(environment, nullptr, services);
    Show(dialog);
    EnhancedListCtrl& flags = FindList(dialog, "Flags");
    ClickCell(flags, 0, 0);
    QTest::keyClick(QApplication::focusWidget(), 'k');
    TypeAndCommit("Done");
    EXPECT_EQ(Column(flags, 0), QStringList({"kDone", ""}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);  // a named row: its value
    TypeAndCommit("true");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_NE(OpenEditor(), nullptr);
    EXPECT_EQ(OpenEditor()->text(), "true");
    QTest::keyClicks(OpenEditor(), "false");
    QTest::keyClick(OpenEditor(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(flags.CurrentEditor(), nullptr);
    EXPECT_EQ(Column(flags, 1), QStringList({"true", ""}));
    ClickCell(flags, 1, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);  // the entry row: its name
    TypeAndCommit("kOpen");
    EXPECT_EQ(Column(flags, 0), QStringList({"kDone", "kOpen", ""}));
    QTest::keyClick(&dialog, Qt::Key_Escape);  // outside the editor Escape closes, applying
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(environment.Get("kDone").GetBoolean());
}

TEST_F(StateDlgTest, DeleteKeyAndClearAll) {
    Environment environment;
    const std::filesystem::path defaultFile = DataPath("innkeeper.state.txt");
    CStateDlg dialog(environment, &defaultFile, services);
    Show(dialog);
    EnhancedListCtrl& variables = FindList(dialog, "Variables");
    ClickCell(variables, 1, 0);
    QTest::keyClick(&variables, Qt::Key_Down, Qt::ShiftModifier);  // the entry row stays
    ASSERT_EQ(variables.selectedItems().size(), 2);
    QTest::keyClick(&variables, Qt::Key_Delete);
    EXPECT_EQ(Column(variables, 0), QStringList({"$gold", ""}));
    QTest::mouseClick(dialog.Button("Clear All"), Qt::LeftButton);
    EXPECT_EQ(variables.RowCount(), 1);
}

TEST_F(StateDlgTest, BadFlagRowWarnsAndCancelListsTheErrors) {
    Environment environment;
    CStateDlg dialog(environment, nullptr, services);
    Show(dialog);
    EnhancedListCtrl& flags = FindList(dialog, "Flags");
    EditCell(flags, 0, 0, "kSure");
    EditCell(flags, 0, 1, "@@@");
    EXPECT_EQ(Column(flags, 1), QStringList({"@@@", ""}));
    services.QueueAnswer(MessageAnswer::kCancel);
    QStringList errors;
    OnNextModal<CErrorDlg>([&](CErrorDlg& list) {
        for (int i = 0; i < list.List()->count(); ++i)
            errors << list.List()->item(i)->text();
        list.accept();
    });
    QTest::keyClick(&dialog, Qt::Key_Escape);  // closing applies, as OK does
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Set error (1): ")) << errors[0].toStdString();
    EXPECT_EQ(services.Messages().back().caption, "Warning");
    services.QueueAnswer(MessageAnswer::kOk);
    QTest::mouseClick(dialog.Button("OK"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(StateDlgTest, SaveAndLoadGoThroughTheFileDialogs) {
    TempDir dir("state_dlg_files");
    Environment environment;
    CStateDlg dialog(environment, nullptr, services);
    Show(dialog);
    EnhancedListCtrl& variables = FindList(dialog, "Variables");
    EditCell(variables, 0, 0, "$said");
    EditCell(variables, 0, 1, "'he said \"hi\"'");
    services.QueueFileChoice(dir.File("saved.txt"));
    QTest::mouseClick(dialog.Button("Save State to File"), Qt::LeftButton);
    EXPECT_EQ(ReadFile(dir.File("saved.txt")).rfind("$said = 'he said \"hi\"'", 0), 0u);
    EXPECT_EQ(services.FileDialogs().back().request.filters[0],
              (FileFilter{"Text files(*.txt)", "*.txt"}));
    QTest::mouseClick(dialog.Button("Clear All"), Qt::LeftButton);
    services.QueueFileChoice(dir.File("saved.txt"));
    QTest::mouseClick(dialog.Button("Load State from File"), Qt::LeftButton);
    EXPECT_EQ(Column(*dialog.List(StateList::kVariables), 1),
              QStringList({"'he said \"hi\"'", ""}));
    services.QueueFileChoice(std::nullopt);  // cancelled: nothing changes
    QTest::mouseClick(dialog.Button("Load State from File"), Qt::LeftButton);
    EXPECT_EQ(dialog.List(StateList::kVariables)->RowCount(), 2);
}

}  // namespace
}  // namespace tw::test
