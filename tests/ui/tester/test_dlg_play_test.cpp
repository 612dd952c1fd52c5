// The tester window's own view of the environment, its number keys, the skipped state
// window, replaying a road and saving the writer's road as a recording.

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "model/dialogue.h"
#include "script/environment.h"
#include "support/app_test_support.h"
#include "support/modal_helpers.h"
#include "tester/road.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/tester/list_input.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"
#include "ui/tester/tester_ui_fixture.h"

namespace tw::test {
namespace {

class TestDlgPlayTest : public TesterUiTest {
protected:
    void Open(bool expectStateWindow = true) {
        ASSERT_FALSE(dialogue.Load(SamplePath("innkeeper.vrx")).has_value());
        tester = std::make_unique<CTestDlg>(dialogue, party, random, services,
                                            DataPath("innkeeper.state.txt"));
        // A state window that should not open fails the test and is closed; the watch ends
        // with the start, so that a later test's window is left alone.
        auto watching = std::make_shared<bool>(true);
        OnNextModal<CStateDlg>(
            [expectStateWindow](CStateDlg& state) {
                EXPECT_TRUE(expectStateWindow) << "the state window opened";
                state.Button("OK")->click();
            },
            [watching](CStateDlg&) { return *watching; });
        tester->show();
        tester->StartTest();
        *watching = false;
        QApplication::setActiveWindow(tester.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(tester.get()));
    }
    EnhancedListCtrl& EnvironmentList(const QString& name) {
        for (auto* list : tester->findChildren<EnhancedListCtrl*>())
            if (list->accessibleName() == name)
                return *list;
        ADD_FAILURE() << "no list " << name.toStdString();
        return *tester->findChild<EnhancedListCtrl*>();
    }
    QCheckBox* SkipBox() { return tester->findChild<QCheckBox*>("skipStateWindow"); }
    void Reply(const QString& text) {
        tester->TypedResponse()->setText(text);
        QTest::keyClick(tester->TypedResponse(), Qt::Key_Return);
    }
    std::string Variable(const char* name) {
        return tester->Session().GetEnvironment().Get(name).ToString();
    }

    Dialogue dialogue;
    std::unique_ptr<CTestDlg> tester;
};

TEST_F(TestDlgPlayTest, NumberKeysChooseOfferedResponsesButNotInTextBoxes) {
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
}

TEST_F(TestDlgPlayTest, EnvironmentBesideTheConversationMarksAndTakesEdits) {
    Open();
    EnhancedListCtrl& variables = EnvironmentList("Variables");
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
    tester->Button("Step Back")->click();
    EXPECT_EQ(tester->NodeName()->text(), "Room");
    EXPECT_EQ(Variable("$gold"), "12");
}

TEST_F(TestDlgPlayTest, SaveRecordingWritesTheRoadWithTheDialogueBesideIt) {
    Open();
    Reply("Ysolde");
    QTest::keyClick(tester->Responses(), Qt::Key_2);
    QTemporaryDir dir;
    const QString path = dir.filePath("menu.play");
    services.QueueFileChoice(path.toStdString());
    QTest::mouseClick(tester->Button("Save Recording..."), Qt::LeftButton);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string text = file.readAll().toStdString();
    const std::string relative =
        std::filesystem::path(dialogue.GetPath())
            .lexically_proximate(std::filesystem::path(dir.path().toStdString()))
            .generic_string();
    EXPECT_EQ(text, "#! dialogue: " + relative + "\n#! seed: 1\nsay Ysolde\n2\n");
}

}  // namespace
}  // namespace tw::test
