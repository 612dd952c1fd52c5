// The Problems pane through the real widgets: the check after a change, the counts, and a
// finding that leads to its node and row.

#include "ui/views/problems_pane.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <random>

#include "generator/dialogue_generator.h"
#include "model/check/dialogue_check.h"
#include "model/command_kinds.h"
#include "support/view_rows.h"
#include "tester/provided_names.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/document/editor_document.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/platform/text_codec.h"
#include "ui/views/problems_view.h"

namespace tw::test {
namespace {

CheckOptions PartyCheck() {
    CheckOptions options;
    options.isProvided = IsProvidedName;
    return options;
}

class ProblemsPaneTest : public MainWindowTest {
public:
    void SetUp() override {
        MainWindowTest::SetUp();
        Dialogue& document = Current();
        DialogueNode& greeting = document.AppendNode(document.Root(), 1, "Greeting");
        document.AppendNode(document.Root(), 2, "Farewell");
        document.SetNextNodeId(3);
        document.Root().AppendCommand(std::make_unique<CommandGoto>("Greeting"));
        greeting.AppendCommand(std::make_unique<CommandGoto>("Farewell"));
        greeting.AppendCommand(std::make_unique<CommandGoto>("Nowhere"));
        Refresh();
    }

    QTableView* List() { return Problems()->List(); }
    QStringList Messages() {
        QStringList messages;
        for (int i = 0; i < RowCount(*List()); ++i) {
            messages << RowText(*List(), i, 0) + " | " + RowText(*List(), i, 1) + " | " +
                            RowText(*List(), i, 2);
        }
        return messages;
    }
    void PressF7() { QTest::keyClick(window.get(), Qt::Key_F7); }
    static QStringList Expected(const std::vector<Finding>& findings) {
        QStringList expected;
        for (const Finding& finding : findings) {
            expected << QString::fromLatin1(SeverityName(finding.severity)) + " | " +
                            FromBytes(finding.nodeLabel) + " | " + FromBytes(finding.message) +
                            " [" + QString::fromStdString(finding.rule) + "]";
        }
        return expected;
    }
    QAction* ViewAction(const QString& name) { return window->findChild<QAction*>(name); }
};

const QString kNowhere =
    "error | Greeting | goto leads to node \"Nowhere\", which this dialogue does not have "
    "[missing-node]";

TEST_F(ProblemsPaneTest, AChangeShowsUpAMomentAfterTheLastKeystroke) {
    PressF7();
    Select("Farewell");
    NodeText()->setFocus();
    QTest::keyClicks(NodeText(), "Gold: $coins");
    // Typing only restarts the timer: nothing has been checked yet.
    EXPECT_EQ(Messages(), QStringList{kNowhere});
    for (int waited = 0; waited < 3000 && Messages().size() < 2; waited += 50) {
        QTest::qWait(50);
    }
    EXPECT_EQ(Messages(), (QStringList{kNowhere,
                                       "note | Farewell | variable \"$coins\" is read but never "
                                       "set [unset-name]"}));
    EXPECT_EQ(StatusText()->text(), "Problems: 1 error, 0 warnings, 1 note");
}

TEST_F(ProblemsPaneTest, DoubleClickSelectsTheNodeAndTheRow) {
    PressF7();
    Select("Farewell");
    const QRect rect = RowRect(*List(), 0);
    // A double-click is a click, then the second press that the platform reports as one.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
    ASSERT_NE(Tree()->currentItem(), nullptr);
    EXPECT_EQ(Tree()->currentItem()->text(0), "Greeting");
    EXPECT_EQ(CommandList()->SelectedRow(), 1);
    EXPECT_TRUE(CommandList()->hasFocus());
}

TEST_F(ProblemsPaneTest, EnterSelectsTheNodeOfAResponseFinding) {
    auto cut = std::make_unique<NodeResponseCut>();
    cut->SetCutTag("Z09");
    auto add = std::make_unique<NodeResponseAdd>("A01");
    add->SetGotoNode("Greeting");
    Node("Farewell").AppendResponse(std::move(add));
    Node("Farewell").AppendResponse(std::move(cut));
    Refresh();
    PressF7();
    int found = -1;
    for (int i = 0; i < RowCount(*List()); ++i) {
        if (RowText(*List(), i, 2).contains("Z09")) {
            found = i;
        }
    }
    ASSERT_NE(found, -1) << Messages().join("\n").toStdString();
    List()->setFocus();
    List()->setCurrentIndex(List()->model()->index(found, 0));
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(Tree()->currentItem()->text(0), "Farewell");
    EXPECT_EQ(ResponseList()->SelectedRow(), 1);
}

TEST_F(ProblemsPaneTest, TheViewMenuShowsAndHidesThePane) {
    QAction* shown = ViewAction("viewProblems");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(Problems()->isVisible());
    shown->trigger();
    EXPECT_FALSE(Problems()->isVisible());
    PressF7();  // Check Dialogue shows it again
    EXPECT_TRUE(Problems()->isVisible());
    EXPECT_TRUE(shown->isChecked());
}

// The rows a pane shows, as text, with the node each leads to.
QStringList Rows(ProblemsPane& pane) {
    QStringList rows;
    const QTableView& list = *pane.List();
    for (int i = 0; i < RowCount(list); ++i) {
        rows << RowText(list, i, 0) + " | " + RowText(list, i, 1) + " | " + RowText(list, i, 2) +
                    " | " + QString::number(pane.Shown()[static_cast<std::size_t>(i)].nodeId);
    }
    return rows;
}

// Edits made through the window's history are checked from the cache; the pane must show
// what a whole check of the document finds, after the edit and after its undo.
TEST_F(ProblemsPaneTest, EditsAndTheirUndoShowWhatAWholeCheckFinds) {
    const TempDir dir("problems_pane_edits");
    const std::string path = dir.Write("edited.vrx", GenerateDialogue({300, 9})->Write());
    ASSERT_TRUE(window->OpenDialogueFile(path));
    PressF7();
    const QStringList opened = Messages();
    QTreeWidgetItem* item = Tree()->topLevelItem(Tree()->topLevelItemCount() - 1);
    ASSERT_NE(item, nullptr);
    Tree()->setCurrentItem(item);
    NodeText()->setFocus();
    QTest::keyClicks(NodeText(), " $unsetCoins");
    Trigger("checkDialogue");
    EXPECT_EQ(Messages(), Expected(CheckDialogue(Current(), PartyCheck())));
    EXPECT_EQ(Messages().size(), opened.size() + 1);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    Trigger("checkDialogue");
    EXPECT_EQ(Messages(), Expected(CheckDialogue(Current(), PartyCheck())));
    EXPECT_EQ(Messages(), opened);
}

}  // namespace
}  // namespace tw::test

namespace tw::test {
namespace {

TEST_F(ProblemsPaneTest, ThePaneFollowsTheDocumentOnShow) {
    PressF7();
    ASSERT_EQ(Messages(), QStringList{kNowhere});
    Current().SetScratch(false);  // kept open beside the new one
    window->OnNewDialogue();
    ASSERT_EQ(Tabs()->count(), 2);
    Tabs()->setCurrentIndex(0);
    Tabs()->setCurrentIndex(1);
    for (int waited = 0; waited < 3000 && !Messages().isEmpty(); waited += 50) {
        QTest::qWait(50);
    }
    EXPECT_TRUE(Messages().isEmpty());
    Tabs()->setCurrentIndex(0);
    for (int waited = 0; waited < 3000 && Messages().isEmpty(); waited += 50) {
        QTest::qWait(50);
    }
    EXPECT_EQ(Messages(), QStringList{kNowhere});
}

}  // namespace
}  // namespace tw::test

namespace tw::test {
namespace {

// A check races an edit: the edit comes right after the snapshot, while the other thread is
// still at work. What that thread finds is of a state that is gone and must never be shown;
// the check the edit schedules shows the state that is.
TEST(ProblemsViewRace, FindingsOfAChangedDocumentAreNeverShown) {
    auto dialogue = std::make_unique<Dialogue>();
    DialogueNode& greeting = dialogue->AppendNode(dialogue->Root(), 1, "Greeting");
    dialogue->Root().AppendCommand(std::make_unique<CommandGoto>("Greeting"));
    greeting.AppendCommand(std::make_unique<CommandGoto>("Nowhere"));
    EditorDocument document(std::move(dialogue));
    ProblemsView view;
    QStringList everShown;
    view.SetDocument(&document);  // the document's rows are on show from here
    QObject::connect(view.List()->model(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) {
                         for (int row = first; row <= last; ++row) {
                             everShown << RowText(*view.List(), row, 2);
                         }
                     });
    int started = 0;
    QObject::connect(&view, &ProblemsView::checkStarted, [&] {
        if (++started == 1) {
            document.RemoveCommands(1, {0}, "Remove Command");
        }
    });
    QLabel* status = view.findChild<QLabel*>("statusText");
    for (int waited = 0; waited < 5000 && status->text().isEmpty(); waited += 20) {
        QTest::qWait(20);
    }
    EXPECT_EQ(started, 2);
    EXPECT_EQ(status->text(), "Problems: 0 errors, 0 warnings, 0 notes");
    EXPECT_TRUE(everShown.isEmpty()) << everShown.join("\n").toStdString();
}

// The walk that takes the snapshot runs a slice per turn of the event loop, and an edit
// between two slices may free nodes it has still to visit: that walk is dropped, never
// finished, and only the check of the state after the edit goes to the other thread.
TEST(ProblemsViewRace, AnEditBetweenTheSlicesOfTheWalkDropsIt) {
    EditorDocument document(GenerateDialogue({30000, 7}));
    const std::int32_t lastBranch = document.GetDialogue().Root().Children().back()->GetId();
    ProblemsView view;
    int walks = 0;
    int started = 0;
    QObject::connect(&view, &ProblemsView::snapshotStarted, [&] {
        if (++walks == 1) {
            QTimer::singleShot(0, &document, [&] { document.DeleteBranch(lastBranch); });
        }
    });
    QObject::connect(&view, &ProblemsView::checkStarted, [&] { ++started; });
    view.SetDocument(&document);
    QLabel* status = view.findChild<QLabel*>("statusText");
    for (int waited = 0; waited < 30000 && status->text().isEmpty(); waited += 20) {
        QTest::qWait(20);
    }
    EXPECT_EQ(walks, 2);
    EXPECT_EQ(started, 1);
    ProblemsPane fresh;
    fresh.SetFindings(CheckDialogue(document.GetDialogue(), PartyCheck()));
    EXPECT_EQ(Rows(view.Pane()), Rows(fresh));
}

// Each document keeps its rows and the writer's row in them: going back to one unchanged
// since its check shows them as they were without checking again; one changed meanwhile is
// checked on show.
TEST(ProblemsViewSwitch, EachDocumentKeepsItsRowsUntilItChanges) {
    EditorDocument first(GenerateDialogue({300, 3}));
    EditorDocument second(GenerateDialogue({200, 4}));
    ProblemsView view;
    view.resize(600, 300);
    view.show();
    const auto settle = [&] {
        for (int waited = 0; waited < 10000 && view.IsChecking(); waited += 20) {
            QTest::qWait(20);
        }
    };
    view.SetDocument(&first);
    settle();
    const QStringList firstRows = Rows(view.Pane());
    ASSERT_GT(firstRows.size(), 2);
    QTest::mouseClick(view.List()->viewport(), Qt::LeftButton, {},
                      RowRect(*view.List(), 1).center());
    view.SetDocument(&second);
    settle();
    view.SetDocument(&first);
    EXPECT_FALSE(view.IsChecking());
    EXPECT_EQ(Rows(view.Pane()), firstRows);
    EXPECT_EQ(CurrentRow(*view.List()), 1);
    second.DeleteBranch(second.GetDialogue().Root().Children().back()->GetId());
    view.SetDocument(&second);
    EXPECT_TRUE(view.IsChecking());
    settle();
    ProblemsPane fresh;
    fresh.SetFindings(CheckDialogue(second.GetDialogue(), PartyCheck()));
    EXPECT_EQ(Rows(view.Pane()), Rows(fresh));
}

}  // namespace
}  // namespace tw::test
