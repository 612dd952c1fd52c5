// The main window's "Edit Party Settings", "Test Dialogue" and "Test from Selected Node",
// from the button or the node menu on.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "model/command_kinds.h"
#include "support/modal_helpers.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/tester/party_dlg.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"

namespace tw::test {
namespace {

class TestCommandsTest : public MainWindowTest {
protected:
    // Runs the tester once the start state is confirmed; notes where it starts, then quits.
    void ExpectTester() {
        OnNextModal<CStateDlg>([](CStateDlg& state) { state.Button("OK")->click(); });
        OnNextModal<CTestDlg>(
            [this](CTestDlg& tester) {
                node = tester.NodeName()->text();
                const auto& environment = tester.Session().GetEnvironment();
                player = environment.Get("$P1").ToString();
                prepared = environment.IsDefined("$fromInit");
                services.QueueAnswer(MessageAnswer::kYes);
                tester.Button("Quit")->click();
            },
            [](CTestDlg& tester) { return !tester.NodeName()->text().isEmpty(); });
    }
    QString node;
    std::string player;
    bool prepared = false;
};

// One party for the whole run: what the writer set up stays, whichever documents come and go.
TEST_F(TestCommandsTest, TestDialogueRunsTheTesterOnThePartyTheWriterSetUp) {
    OnNextModal<CPartyDlg>([](CPartyDlg& dialog) {
        dialog.PlayerName()->setText("Ysolde");
        dialog.accept();
    });
    Press(control_id::kEditPartySettings);
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    ExpectTester();
    Press(control_id::kTestDialogue);
    EXPECT_EQ(node, "Welcome");
    EXPECT_EQ(player, "Ysolde");
}

TEST_F(TestCommandsTest, TestFromSelectedNodeStartsThereAfterTheInitializationCommands) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Current().Root().AppendCommand(std::make_unique<CommandManual>("$fromInit = 1"));
    Select(QString::fromStdString(Node("Room").Label()));
    ExpectTester();
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_T); });
    QTest::keyClick(Tree(), Qt::Key_Menu);
    EXPECT_EQ(node, "Room");
    EXPECT_TRUE(prepared);
}

TEST_F(TestCommandsTest, TestDialogueWithErrorsListsThemAndRunsNoTest) {
    Current().Root().AppendCommand(std::make_unique<CommandManual>("$a = = 1"));
    int rows = 0;
    OnNextModal<CErrorDlg>([&](CErrorDlg& list) {
        rows = list.List()->count();
        list.accept();
    });
    // A tester window would wait for input here, and the test would not end.
    Press(control_id::kTestDialogue);
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(services.Messages().empty());
}

}  // namespace
}  // namespace tw::test
