// "Run Dialogue" as the writer plays: number keys, the environment beside the
// conversation, the skipped state window, stepping back, replaying and recording a road.

#include <QCheckBox>
#include <QTemporaryDir>

#include "script/environment.h"
#include "tester/road.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/tester/list_input.h"
#include "ui/tester/tester_ui_fixture.h"

namespace tw::test {
namespace {

class TestDlgPlayTest : public TestDlgTest {
protected:
    // All a user sees of the run.
    QStringList Screen() const {
        return QStringList{tester->NodeName()->text(), tester->LastResponse()->text(),
                           tester->NodeText()->toPlainText()}
               << ColumnTexts(*tester->Responses(), 0) << ColumnTexts(*tester->Messages(), 0)
               << QString::number(tester->TypedResponse()->isEnabled());
    }
    QCheckBox* SkipBox() { return tester->findChild<QCheckBox*>("skipStateWindow"); }
};

TEST_F(TestDlgPlayTest, NumberKeysChooseResponsesAndTheRoadIsSavedAsARecording) {
    Open();
    Reply("Ysolde");
    ASSERT_EQ(tester->NodeName()->text(), "Welcome");
    QTest::keyClicks(tester->CustomCommand(), "1");
    EXPECT_EQ(tester->CustomCommand()->text(), "1");
    EXPECT_EQ(tester->NodeName()->text(), "Welcome");
    QTest::keyClick(tester->Responses(), Qt::Key_9);  // no ninth response: nothing happens
    EXPECT_EQ(tester->NodeName()->text(), "Welcome");
    QTest::keyClick(tester->Responses(), Qt::Key_1);
    EXPECT_EQ(tester->NodeName()->text(), "Room");
    EXPECT_EQ(tester->InputLines(), (std::vector<std::string>{"say Ysolde", "1"}));
    // The road is saved as a recording that names the dialogue from beside it.
    QTemporaryDir dir;
    const QString path = dir.filePath("menu.play");
    services.QueueFileChoice(path.toStdString());
    Press("Save Recording...");
    const std::string relative =
        std::filesystem::path(dialogue.GetPath())
            .lexically_proximate(std::filesystem::path(dir.path().toStdString()))
            .generic_string();
    EXPECT_EQ(ReadFile(path.toStdString()),
              "#! dialogue: " + relative + "\n#! seed: 1\nsay Ysolde\n1\n");
}

TEST_F(TestDlgPlayTest, EnvironmentBesideTheConversationMarksAndTakesEdits) {
    Open();
    EnhancedListCtrl& variables = FindList(*tester, "Variables");
    const int gold = RowNamed(variables, "$gold");
    ASSERT_GE(gold, 0);
    EXPECT_EQ(variables.ItemText(gold, 1), "12");
    Reply("Ysolde");
    QTest::keyClick(tester->Responses(), Qt::Key_1);  // a room
    QTest::keyClick(tester->Responses(), Qt::Key_1);  // paid: five gold
    const int paid = RowNamed(variables, "$gold");
    EXPECT_EQ(variables.ItemText(paid, 1), "7");
    const QModelIndex changed = variables.model()->index(paid, 1);
    const QModelIndex same = variables.model()->index(RowNamed(variables, "$randmax"), 1);
    EXPECT_TRUE(variables.model()->data(changed, Qt::BackgroundRole).isValid());
    EXPECT_FALSE(variables.model()->data(same, Qt::BackgroundRole).isValid());
    SaveShot(*tester, "test_dlg_environment");

    EditCell(variables, paid, 1, "30");
    EXPECT_EQ(Variable("$gold"), "30");
    EXPECT_EQ(tester->InputLines().back(), "set $gold = 30");
    // Typing on the entry row at the end of the list starts a new variable.
    QTest::keyClick(&variables, Qt::Key_End);
    QTest::keyClick(&variables, '$');
    TypeAndCommit("tip");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);  // the new row waits for it
    TypeAndCommit("2");
    EXPECT_EQ(Variable("$tip"), "2");
}

TEST_F(TestDlgPlayTest, SkippingTheStateWindowIsRememberedAndStillLoadsTheDefaultState) {
    Open();
    QCheckBox* skip = SkipBox();
    ASSERT_NE(skip, nullptr);
    EXPECT_EQ(skip->text(), "Skip the state window at the start");
    EXPECT_FALSE(skip->isChecked());
    QTest::mouseClick(skip, Qt::LeftButton, {}, skip->rect().center());
    EXPECT_TRUE(skip->isChecked());
    tester.reset();

    Open(false);
    EXPECT_TRUE(SkipBox()->isChecked());
    EXPECT_EQ(Variable("$gold"), "12");
}

TEST_F(TestDlgPlayTest, ReplayPlaysTheRoadAndSteppingBackWorksFromThere) {
    ASSERT_FALSE(dialogue.Load(SamplePath("innkeeper.vrx")).has_value());
    tester = std::make_unique<CTestDlg>(dialogue, party, random, services,
                                        DataPath("innkeeper.state.txt"));
    tester->SetReplay(*ParseRoad({"say Ysolde", "1", "1"}));
    tester->show();
    tester->StartTest();  // no state window: the road is played at once
    EXPECT_EQ(tester->NodeName()->text(), "RoomTaken");
    EXPECT_EQ(Variable("$gold"), "7");
    EXPECT_EQ(tester->History()->count(), 3);
    Press("Step Back");
    EXPECT_EQ(tester->NodeName()->text(), "Room");
    EXPECT_EQ(Variable("$gold"), "12");
}

TEST_F(TestDlgPlayTest, StepBackAndHistoryEntriesRestoreEarlierScreens) {
    Open();
    QListWidget& history = *tester->History();
    EXPECT_FALSE(tester->Button("Step Back")->isEnabled());
    std::vector<QStringList> screens{Screen()};
    const QString start = tester->NodeName()->text();
    ASSERT_TRUE(tester->TypedResponse()->isEnabled());  // the innkeeper asks a name first
    Reply("Ysolde");
    screens.push_back(Screen());
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.item(0)->text(), start + ": Ysolde");
    Choose(1);
    screens.push_back(Screen());
    ASSERT_EQ(history.count(), 2);
    EXPECT_TRUE(history.item(1)->text().startsWith(screens[1][0] + ": "));
    Choose(1);
    ASSERT_EQ(history.count(), 3);
    // Ctrl+Z in the window steps back once.
    tester->Responses()->setFocus();
    QTest::keyClick(tester->Responses(), Qt::Key_Z, Qt::ControlModifier);
    // A button's shortcut clicks it with a short animation.
    EXPECT_TRUE(QTest::qWaitFor([&history] { return history.count() == 2; }, 1000));
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

}  // namespace
}  // namespace tw::test
