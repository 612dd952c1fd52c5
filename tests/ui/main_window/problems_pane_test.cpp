// What the Problems pane shows is what a whole check of the document finds: after edits and
// their undo, after a check that an edit overtakes, and back on a document.

#include "ui/views/problems_pane.h"

#include <QLabel>
#include <QTimer>

#include "generator/dialogue_generator.h"
#include "model/check/dialogue_check.h"
#include "model/command_kinds.h"
#include "support/view_rows.h"
#include "tester/provided_names.h"
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

// The rows a fresh pane would show for these findings, as Rows() gives them.
QStringList Expected(const std::vector<Finding>& findings) {
    QStringList expected;
    for (const Finding& finding : findings) {
        expected << QString::fromLatin1(SeverityName(finding.severity)) + " | " +
                        FromBytes(finding.nodeLabel) + " | " + FromBytes(finding.message) + " [" +
                        QString::fromStdString(finding.rule) + "] | " +
                        QString::number(finding.nodeId);
    }
    return expected;
}

// The rows a pane shows, as "severity | node | message | the node it leads to".
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
TEST_F(MainWindowTest, EditsAndTheirUndoShowWhatAWholeCheckFinds) {
    const TempDir dir("problems_pane_edits");
    const std::string path = dir.Write("edited.vrx", GenerateDialogue({300, 9})->Write());
    ASSERT_TRUE(window->OpenDialogueFile(path));
    ProblemsPane& pane = Problems()->Pane();
    Trigger("checkDialogue");
    const QStringList opened = Rows(pane);
    QTreeWidgetItem* item = Tree()->topLevelItem(Tree()->topLevelItemCount() - 1);
    ASSERT_NE(item, nullptr);
    Tree()->setCurrentItem(item);
    NodeText()->setFocus();
    QTest::keyClicks(NodeText(), " $unsetCoins");
    Trigger("checkDialogue");
    EXPECT_EQ(Rows(pane), Expected(CheckDialogue(Current(), PartyCheck())));
    EXPECT_EQ(Rows(pane).size(), opened.size() + 1);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    Trigger("checkDialogue");
    EXPECT_EQ(Rows(pane), Expected(CheckDialogue(Current(), PartyCheck())));
    EXPECT_EQ(Rows(pane), opened);
}

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
    EXPECT_TRUE(QTest::qWaitFor([status] { return !status->text().isEmpty(); }, 5000));
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
    EXPECT_TRUE(QTest::qWaitFor([status] { return !status->text().isEmpty(); }, 30000));
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
    const auto settle = [&view] {
        EXPECT_TRUE(QTest::qWaitFor([&view] { return !view.IsChecking(); }, 10000));
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
