// "Explore Dialogue" and "Replay Finding" from the keyboard: the findings in the Problems
// pane, the unreached nodes shaded in the tree, a finding's road played in the tester.

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include "model/dialogue_json.h"
#include "support/modal_helpers.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/tester/test_dlg.h"
#include "ui/views/map/map_scene.h"
#include "ui/views/map/map_view.h"

namespace tw::test {
namespace {

class ExploreTest : public MainWindowTest {
protected:
    // Opens one of the explorer's test dialogues, kept as JSON, as a dialogue file.
    void OpenExploreCase(const char* name) {
        QFile json(QString("%1/tests/cli/data/explore/%2.json").arg(TW_SOURCE_DIR, name));
        ASSERT_TRUE(json.open(QIODevice::ReadOnly));
        Dialogue dialogue;
        ASSERT_FALSE(DialogueFromJson(json.readAll().toStdString(), dialogue).has_value());
        const std::string path = dir.filePath(QString(name) + ".vrx").toStdString();
        ASSERT_FALSE(dialogue.SaveAs(path).has_value());
        ASSERT_TRUE(window->OpenDialogueFile(path));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The compile and progress windows come and go: the window is made active again, as the
    // window system does.
    void Explore() {
        QTest::keyClick(Tree(), Qt::Key_F7, Qt::ShiftModifier);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    int FindingRow(const QString& rule) {
        QTableView* list = Problems()->List();
        for (int row = 0; row < RowCount(*list); ++row) {
            if (RowText(*list, row, 2).endsWith("[" + rule + "]")) {
                return row;
            }
        }
        return -1;
    }
    bool Shaded(const QString& label) { return Item(label)->data(0, Qt::ForegroundRole).isValid(); }
    MapView* Map() const { return Named<MapView>("map"); }
    BoxMarks MarksOnMap(const std::string& name) const {
        EXPECT_TRUE(QTest::qWaitFor([this] { return Map()->IsSettled(); }, 30000));
        return Map()->Scene().MarksOf(Map()->Shown().Find(name));
    }
    bool DimmedOnMap(const std::string& name) const { return MarksOnMap(name).dimmed; }

    QTemporaryDir dir;
};

TEST_F(ExploreTest, FindingsJoinTheProblemsAndUnreachedNodesAreShadedUntilAnEdit) {
    OpenExploreCase("never_reached");
    Trigger("showMap");
    EXPECT_FALSE(DimmedOnMap("Vault"));  // a link leads there, so the map alone keeps it lit
    Trigger("showMap");                  // hidden while exploring, told what it missed when shown
    Explore();
    Trigger("showMap");
    const int row = FindingRow("never-reached");
    ASSERT_NE(row, -1);
    EXPECT_EQ(RowText(*Problems()->List(), row, 1), "Vault");
    EXPECT_TRUE(StatusText()->text().contains("Explored 2 states (complete): 3 of 4 nodes"))
        << StatusText()->text().toStdString();
    EXPECT_TRUE(Shaded("Vault"));
    EXPECT_EQ(Item("Vault")->data(0, Qt::AccessibleDescriptionRole).toString(),
              "no road reaches it");
    EXPECT_FALSE(Shaded("Start"));
    EXPECT_TRUE(DimmedOnMap("Vault"));
    EXPECT_TRUE(MarksOnMap("Vault").problem.has_value());  // the finding's icon
    EXPECT_FALSE(DimmedOnMap("Start"));
    // Choosing the finding selects its node.
    QTableView* list = Problems()->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowRect(*list, row).center());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Tree()->currentItem(), Item("Vault"));
    EXPECT_FALSE(Action("replayFinding")->isEnabled());  // no road leads to it

    // The roads named the dialogue as it was: an edit forgets them.
    NodeText()->setFocus();
    QTest::keyClicks(NodeText(), "x");
    EXPECT_EQ(FindingRow("never-reached"), -1);
    EXPECT_FALSE(Shaded("Vault"));
    EXPECT_FALSE(DimmedOnMap("Vault"));
}

TEST_F(ExploreTest, ReplayPlaysTheRoadOfTheCurrentFindingInTheTester) {
    OpenExploreCase("dead_end");
    Explore();
    const int row = FindingRow("dead-end");
    ASSERT_NE(row, -1);
    QTableView* list = Problems()->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowRect(*list, row).center());
    ASSERT_TRUE(Action("replayFinding")->isEnabled());
    QString node;
    int responses = -1;
    OnNextModal<CTestDlg>([&](CTestDlg& tester) {
        node = tester.NodeName()->text();
        responses = tester.Responses()->count();
        services.QueueAnswer(MessageAnswer::kYes);
        tester.Button("Quit")->click();
    });
    QTest::keyClick(list, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(node, "Cellar");
    EXPECT_EQ(responses, 0);
}

}  // namespace
}  // namespace tw::test
