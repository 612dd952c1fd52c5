// The main window's "Edit Party Settings" and "Test Dialogue", from the button on.

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "model/command_kinds.h"
#include "support/modal_helpers.h"
#include "ui/tester/party_dlg.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

using TestCommandsTest = MainWindowTest;

TEST_F(TestCommandsTest, EditPartySettingsEditsTheWindowsParty) {
    OnNextModal<CPartyDlg>([](CPartyDlg& dialog) {
        dialog.PlayerName()->setText("Ysolde");
        dialog.accept();
    });
    Button(control_id::kEditPartySettings)->click();
    EXPECT_EQ(window->Party().names[0], "Ysolde");
}

TEST_F(TestCommandsTest, TestDialogueCompilesThenRunsTheTesterOnTheParty) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    window->Party().names[0] = "Ysolde";
    OnNextModal<CStateDlg>([](CStateDlg& state) { state.Button("OK")->click(); });
    QString node;
    std::string player;
    OnNextModal<CTestDlg>(
        [&](CTestDlg& tester) {
            node = tester.NodeName()->text();
            player = tester.Session().GetEnvironment().Get("$P1").ToString();
            services.QueueAnswer(MessageAnswer::kYes);
            tester.Button("Quit")->click();
        },
        [](CTestDlg& tester) { return !tester.NodeName()->text().isEmpty(); });
    Button(control_id::kTestDialogue)->click();
    EXPECT_EQ(node, "Welcome");
    EXPECT_EQ(player, "Ysolde");
}

TEST_F(TestCommandsTest, TestDialogueWithErrorsListsThemAndRunsNoTest) {
    Current().Root().AppendCommand(std::make_unique<CommandManual>("$a = = 1"));
    int rows = 0;
    OnNextModal<CErrorDlg>([&](CErrorDlg& list) {
        rows = list.List()->count();
        list.accept();
    });
    // A tester window would wait for input here, and the test would not end.
    Button(control_id::kTestDialogue)->click();
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(services.Messages().empty());
}

// Presses key in the next popup menu once it shows, and reports the menu's entries.
void OnNextPopup(Qt::Key key, QStringList& entries, int triesLeft = 400) {
    QTimer::singleShot(5, [key, &entries, triesLeft] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                entries << action->text();
            QTest::keyClick(menu, key);
        } else if (triesLeft > 0) {
            OnNextPopup(key, entries, triesLeft - 1);
        }
    });
}

TEST_F(TestCommandsTest, TestFromSelectedNodeStartsThereAfterTheInitializationCommands) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Current().Root().AppendCommand(std::make_unique<CommandManual>("$fromInit = 1"));
    Select(QString::fromStdString(Node("Room").Label()));
    OnNextModal<CStateDlg>([](CStateDlg& state) { state.Button("OK")->click(); });
    QString node;
    bool prepared = false;
    OnNextModal<CTestDlg>(
        [&](CTestDlg& tester) {
            node = tester.NodeName()->text();
            prepared = tester.Session().GetEnvironment().IsDefined("$fromInit");
            services.QueueAnswer(MessageAnswer::kYes);
            tester.Button("Quit")->click();
        },
        [](CTestDlg& tester) { return !tester.NodeName()->text().isEmpty(); });
    QStringList entries;
    OnNextPopup(Qt::Key_T, entries);
    QTreeWidget* tree = Tree();
    emit tree->customContextMenuRequested(tree->visualItemRect(tree->currentItem()).center());
    EXPECT_TRUE(entries.contains("&Test from Selected Node"));
    EXPECT_EQ(node, "Room");
    EXPECT_TRUE(prepared);
}

}  // namespace
}  // namespace tw::test
