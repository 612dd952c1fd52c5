// "Dialogue State" through its widgets.

#include "tester/ui/state_dlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "script/environment.h"
#include "support/app_test_support.h"
#include "support/modal_helpers.h"
#include "tester/ui/tester_ui_fixture.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/in_place_edit.h"
#include "ui/dialogs/error_dlg.h"

namespace tw::test {
namespace {

using StateDlgTest = TesterUiTest;

QStringList Column(EnhancedListCtrl& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.RowCount(); ++row)
        texts << list.ItemText(row, column);
    return texts;
}

// Types into a cell through the list's in-place editor, as a click and typing would.
void EditCell(EnhancedListCtrl& list, int row, int column, const QString& text) {
    CInPlaceEdit* editor = list.EditSubLabel(row, column);
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

TEST_F(StateDlgTest, ShowsTheEnvironmentAndLoadsTheDefaultFile) {
    Environment environment;
    const std::filesystem::path defaultFile = DataPath("innkeeper.state.txt");
    CStateDlg dialog(environment, &defaultFile, services);
    EXPECT_EQ(dialog.windowTitle(), "Dialogue State");
    EnhancedListCtrl& variables = *dialog.List(StateList::kVariables);
    EXPECT_EQ(Column(variables, 0), QStringList({"$gold", "$randmax", ""}));
    EXPECT_EQ(Column(variables, 1), QStringList({"12", "6", ""}));
    EXPECT_EQ(variables.headerItem()->text(0), "Variable");
    EXPECT_EQ(dialog.List(StateList::kFlags)->headerItem()->text(0), "Flag");
    EXPECT_EQ(variables.accessibleName(), "Variables");
    EXPECT_EQ(dialog.List(StateList::kFlags)->accessibleName(), "Flags");
    for (const char* caption : {"Save State to File", "Load State from File", "Clear All", "OK"})
        EXPECT_NE(dialog.Button(caption), nullptr) << caption;
    SaveShot(dialog, "state_dlg");
}

TEST_F(StateDlgTest, MissingDefaultFileIsQuiet) {
    Environment environment;
    const std::filesystem::path missing = DataPath("no-such.state.txt");
    CStateDlg dialog(environment, &missing, services);
    EXPECT_EQ(dialog.List(StateList::kVariables)->RowCount(), 1);
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(StateDlgTest, TypingInTheEntryRowAddsARowAndOkApplies) {
    Environment environment;
    CStateDlg dialog(environment, nullptr, services);
    EnhancedListCtrl& variables = *dialog.List(StateList::kVariables);
    EditCell(variables, 0, 0, "count");
    EditCell(variables, 0, 1, " 12 ");
    EXPECT_EQ(Column(variables, 0), QStringList({"$count", ""}));
    EnhancedListCtrl& flags = *dialog.List(StateList::kFlags);
    EditCell(flags, 0, 0, "kDone");
    EditCell(flags, 0, 1, "true");
    dialog.Button("OK")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    StateEditor check(environment, dialog);
    check.FillLists();
    EXPECT_EQ(check.Rows(StateList::kVariables)[0], (StateRow{"$count", "12"}));
    EXPECT_EQ(check.Rows(StateList::kFlags)[0], (StateRow{"kDone", "true"}));
}

TEST_F(StateDlgTest, DeleteKeyAndClearAll) {
    Environment environment;
    const std::filesystem::path defaultFile = DataPath("innkeeper.state.txt");
    CStateDlg dialog(environment, &defaultFile, services);
    EnhancedListCtrl& variables = *dialog.List(StateList::kVariables);
    variables.SelectRow(0);
    variables.topLevelItem(2)->setSelected(true);  // the entry row stays
    QTest::keyClick(&variables, Qt::Key_Delete);
    EXPECT_EQ(Column(variables, 0), QStringList({"$randmax", ""}));
    dialog.Button("Clear All")->click();
    EXPECT_EQ(variables.RowCount(), 1);
}

TEST_F(StateDlgTest, BadFlagRowWarnsAndCancelListsTheErrors) {
    Environment environment;
    CStateDlg dialog(environment, nullptr, services);
    dialog.show();
    EnhancedListCtrl& flags = *dialog.List(StateList::kFlags);
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
    dialog.Button("OK")->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(StateDlgTest, SaveAndLoadGoThroughTheFileDialogs) {
    TempDir dir("state_dlg_files");
    Environment environment;
    CStateDlg dialog(environment, nullptr, services);
    EditCell(*dialog.List(StateList::kVariables), 0, 0, "$said");
    EditCell(*dialog.List(StateList::kVariables), 0, 1, "'he said \"hi\"'");
    services.QueueFileChoice(dir.File("saved.txt"));
    dialog.Button("Save State to File")->click();
    EXPECT_EQ(ReadFile(dir.File("saved.txt")).rfind("$said = 'he said \"hi\"'", 0), 0u);
    const auto& request = services.FileDialogs().back().request;
    EXPECT_TRUE(services.FileDialogs().back().save);
    EXPECT_EQ(request.defaultExtension, "txt");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0], (FileFilter{"Text files(*.txt)", "*.txt"}));
    dialog.Button("Clear All")->click();
    services.QueueFileChoice(dir.File("saved.txt"));
    dialog.Button("Load State from File")->click();
    EXPECT_EQ(Column(*dialog.List(StateList::kVariables), 1),
              QStringList({"'he said \"hi\"'", ""}));
    services.QueueFileChoice(std::nullopt);  // cancelled: nothing changes
    dialog.Button("Load State from File")->click();
    EXPECT_EQ(dialog.List(StateList::kVariables)->RowCount(), 2);
}

}  // namespace
}  // namespace tw::test
