// "Step Back" and the "History" list of "Run Dialogue", through the widgets.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "model/dialogue.h"
#include "support/app_test_support.h"
#include "support/modal_helpers.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"
#include "ui/tester/tester_ui_fixture.h"
#include "ui/controls/style_edit_ctrl.h"

namespace tw::test {
namespace {

QStringList Rows(const QListWidget& list) {
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text();
    return rows;
}

class TestDlgHistoryTest : public TesterUiTest {
protected:
    void Open(const char* startNode = nullptr) {
        ASSERT_FALSE(dialogue.Load(SamplePath("innkeeper.vrx")).has_value());
        tester = std::make_unique<CTestDlg>(dialogue, party, random, services,
                                            DataPath("innkeeper.state.txt"));
        if (startNode != nullptr) {
            DialogueNode* start = dialogue.FindNodeByName(startNode);
            ASSERT_NE(start, nullptr);
            tester->SetStartNode(start);
        }
        tester->show();
        OnNextModal<CStateDlg>([](CStateDlg& state) { state.Button("OK")->click(); });
        tester->StartTest();
    }
    // All a user sees of the run.
    QStringList Screen() const {
        return QStringList{tester->NodeName()->text(), tester->LastResponse()->text(),
                           tester->NodeText()->toPlainText()}
               << Rows(*tester->Responses()) << Rows(*tester->Messages())
               << QString::number(tester->TypedResponse()->isEnabled());
    }
    void Choose(int row) {
        tester->Responses()->setCurrentRow(row);
        tester->Button("Select Response")->click();
    }
    void Reply(const QString& text) {
        tester->TypedResponse()->setText(text);
        QTest::keyClick(tester->TypedResponse(), Qt::Key_Return);
    }

    Dialogue dialogue;
    std::unique_ptr<CTestDlg> tester;
};

TEST_F(TestDlgHistoryTest, StepBackAndHistoryEntriesRestoreEarlierScreens) {
    Open();
    QListWidget& history = *tester->History();
    EXPECT_EQ(history.accessibleName(), "History");
    EXPECT_FALSE(tester->Button("Step Back")->isEnabled());
    std::vector<QStringList> screens{Screen()};
    const QString start = tester->NodeName()->text();
    ASSERT_TRUE(tester->TypedResponse()->isEnabled());  // the innkeeper asks a name first
    Reply("Ysolde");
    screens.push_back(Screen());
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.item(0)->text(), start + ": Ysolde");
    Choose(0);
    screens.push_back(Screen());
    ASSERT_EQ(history.count(), 2);
    EXPECT_TRUE(history.item(1)->text().startsWith(screens[1][0] + ": "));
    Choose(0);
    ASSERT_EQ(history.count(), 3);
    SaveShot(*tester, "test_dlg_history");
    // Ctrl+Z in the window steps back once.
    tester->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tester.get()));
    tester->Responses()->setFocus();
    QTest::keyClick(tester->Responses(), Qt::Key_Z, Qt::ControlModifier);
    // A button's shortcut clicks it with a short animation.
    for (int i = 0; i < 100 && history.count() == 3; ++i)
        QTest::qWait(10);
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(Screen(), screens[2]);
    // Enter on the first entry goes back to before it, without choosing a response.
    history.setFocus();
    history.setCurrentRow(0);
    QTest::keyClick(&history, Qt::Key_Return);
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(Screen(), screens[0]);
    EXPECT_FALSE(tester->Button("Step Back")->isEnabled());
    // The run goes on from there as the first time.
    Reply("Ysolde");
    EXPECT_EQ(Screen(), screens[1]);
}

TEST_F(TestDlgHistoryTest, HistoryFollowsTheResponsesInTabOrder) {
    Open();
    QWidget* next = tester->Button("Select Response")->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    EXPECT_EQ(next, tester->History());
    EXPECT_EQ(tester->Button("Step Back")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
}

TEST_F(TestDlgHistoryTest, AStartNodeIsEnteredInsteadOfTheInitializationNode) {
    Open("Room");
    EXPECT_EQ(tester->NodeName()->text(), "Room");
    EXPECT_EQ(tester->History()->count(), 0);
}

}  // namespace
}  // namespace tw::test
