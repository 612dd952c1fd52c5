// The longest time the window's thread is kept from its event loop by each interaction of a
// writer, at every corpus size: selecting, typing, dropping, undoing and redoing each kind of
// step, switching tabs, the Problems check after an edit and find's first results.

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QThreadPool>
#include <QUndoGroup>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "editor/stall_meter.h"
#include "model/command_kinds.h"
#include "support/window_controls.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/document/editor_document.h"
#include "ui/views/map/map_view.h"
#include "ui/views/problems_view.h"

namespace tw::bench {
namespace {

constexpr int kRounds = 2;

// TALKWRIGHT_STALL_ROWS="select,recheck" runs only those groups of interactions (the re-check
// types into the node the select makes current), in their usual order: a run at
// 100,000 nodes takes minutes, and one change rarely moves more than a row or two.
bool IsChosen(const char* group) {
    const QString chosen = qEnvironmentVariable("TALKWRIGHT_STALL_ROWS");
    return chosen.isEmpty() || chosen.split(',').contains(QLatin1String(group));
}

// A window with two documents of the size open, the busy one current; each interaction is
// measured in every round and the worst round kept.
class StallSession {
public:
    explicit StallSession(std::int64_t nodes) {
        editor_.Open(CorpusFile(nodes, "stall_other.vrx"));
        editor_.Open(BusyCorpusFile(nodes));
        busyId_ = BusiestNodeId(Document().GetDialogue());
        std::int64_t size = 0;
        branchId_ = BranchNear(Document().GetDialogue().Root(),
                               std::min<std::int64_t>(10'000, nodes / 10), size)
                        ->GetId();
        branchSize_ = size;
    }

    std::map<std::string, Stall>& Run() {
        const std::vector<std::pair<const char*, void (StallSession::*)()>> groups = {
            {"select", &StallSession::Select},       {"type", &StallSession::Type},
            {"recheck", &StallSession::Recheck},     {"drop", &StallSession::Drop},
            {"switch", &StallSession::SwitchTabs},   {"find", &StallSession::Find},
            {"steps", &StallSession::UndoRedoSteps}, {"long", &StallSession::LongCommands},
            {"map", &StallSession::MapAfterNewLink},
        };
        for (int round = 0; round < kRounds; ++round) {
            for (const auto& [name, run] : groups) {
                if (IsChosen(name)) {
                    (this->*run)();
                }
            }
        }
        return stalls_;
    }
    std::int64_t BranchSize() const { return branchSize_; }

private:
    CTalkwrightDlg& Window() { return editor_.Window(); }
    EditorDocument& Document() { return Window().Documents().Current(); }
    EnhancedTreeCtrl& Tree() { return *test::CurrentTree(Window()); }
    ProblemsView& Problems() { return *Window().findChild<ProblemsView*>(); }
    QString Status() { return Problems().findChild<QLabel*>("statusText")->text(); }

    void Measure(const std::string& row, const std::function<void()>& interaction,
                 const std::function<bool()>& done = {}) {
        stalls_[row].Keep(LongestStall(interaction, done));
    }

    // The check an edit schedules runs here, unmeasured, so it falls into no other row: its
    // walk takes several turns of the loop, and its findings come back as an event.
    void SettleChecks() {
        QTest::qWait(ProblemsView::kCheckDelayMs + 50);
        while (Problems().IsChecking()) {
            QThreadPool::globalInstance()->waitForDone();
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QApplication::processEvents();
        QApplication::processEvents();
    }

    void Select() {
        Tree().setCurrentItem(Tree().topLevelItem(1));
        Settle();
        QTreeWidgetItem* busy = FindItem(Window(), busyId_);
        Measure("select a node", [&] { Tree().setCurrentItem(busy); });
    }

    void Type() {
        test::NodeTextBox(Window())->setFocus();
        test::NodeTextBox(Window())->moveCursor(QTextCursor::End);
        Measure("type a character",
                [&] { QTest::keyClick(test::NodeTextBox(Window()), Qt::Key_A); });
        SettleChecks();
        Measure("undo typing", [&] { Window().Documents().UndoGroup().undo(); });
        SettleChecks();
        Measure("redo typing", [&] { Window().Documents().UndoGroup().redo(); });
        Window().Documents().UndoGroup().undo();
        SettleChecks();
    }

    // From the keys to the pane showing the finding they make: the timer, the walk that
    // takes the snapshot, the other thread and the rows.
    void Recheck() {
        const QString before = Status();
        test::NodeTextBox(Window())->setFocus();
        test::NodeTextBox(Window())->moveCursor(QTextCursor::End);
        Measure(
            "re-check after an edit", [&] { QTest::keyClicks(test::NodeTextBox(Window()), " $q"); },
            [&] { return Status() != before; });
        Window().Documents().UndoGroup().undo();
        SettleChecks();
    }

    void Drop() {
        QTreeWidgetItem* first = nullptr;
        QTreeWidgetItem* second = nullptr;
        for (int i = 1; i < Tree().topLevelItemCount() && second == nullptr; ++i) {
            if (Tree().topLevelItem(i)->childCount() > 0) {
                (first == nullptr ? first : second) = Tree().topLevelItem(i);
            }
        }
        Tree().collapseAll();
        first->setExpanded(true);
        Tree().scrollToTop();
        Settle();
        QTreeWidgetItem* dragged = first->child(0);
        const QPoint from = Tree().visualItemRect(dragged).center();
        const QPoint to = Tree().visualItemRect(second).center();
        Measure("drop a branch", [&] {
            if (!Tree().BeginDrag(dragged, from)) {
                throw std::runtime_error("the drag did not start");
            }
            Tree().DragMove(to);
            Tree().EndDrag();
        });
        SettleChecks();
        UndoRedo("move");
        Window().Documents().UndoGroup().undo();
        SettleChecks();
    }

    // The switch, and the check of the other document when it changed since its last one.
    void SwitchTabs() {
        for (int i = 0; i < 2; ++i) {
            QTabBar* tabs = test::DialogueTabs(Window());
            Measure(
                "switch tabs", [&] { tabs->setCurrentIndex(1 - tabs->currentIndex()); },
                [&] {
                    return !Problems().IsChecking() &&
                           QThreadPool::globalInstance()->activeThreadCount() == 0;
                });
            SettleChecks();
        }
    }

    // The word the generator's texts use most, typed a letter at a time, each letter a new
    // search: from the first key until the whole search has shown its results (no new row
    // for 200 ms), the rows of the last round's search cleared on the way.
    void Find() {
        test::TriggerAction(Window(), "find");
        Settle();
        auto* results = Window().findChild<QAbstractItemView*>("findResults");
        if (results == nullptr) {
            throw std::runtime_error("the find bar has no results list");
        }
        // FindBar has no meta-object of its own, so findChild<FindBar*> takes any widget.
        QLineEdit* pattern = results->parentWidget()->findChild<QLineEdit*>();
        QTest::keyClick(pattern, Qt::Key_A, Qt::ControlModifier);
        int rows = -1;
        QElapsedTimer still;
        Measure(
            "find's first results", [&] { QTest::keyClicks(pattern, "gold"); },
            [&] {
                if (results->model()->rowCount() != rows) {
                    rows = results->model()->rowCount();
                    still.restart();
                }
                return rows > 0 && still.elapsed() > 200;
            });
        test::TriggerAction(Window(), "showFindBar");
        SettleChecks();
    }

    void UndoRedo(const std::string& step) {
        Measure("undo " + step, [&] { Window().Documents().UndoGroup().undo(); });
        SettleChecks();
        Measure("redo " + step, [&] { Window().Documents().UndoGroup().redo(); });
        SettleChecks();
    }

    // The pane's answer to the check the step before scheduled: the walk's slices and the
    // rows the step's findings take out, put in or move.
    void MeasureCheck(const std::string& step) {
        bool shown = false;
        const auto connection =
            QObject::connect(&Problems(), &ProblemsView::checked, [&shown] { shown = true; });
        Measure(
            "re-check after " + step, [] {}, [&] { return shown; });
        QObject::disconnect(connection);
        SettleChecks();
    }

    // Each kind of step done once (its re-check measured), then undone and redone, then
    // undone for good.
    void UndoRedoSteps() {
        const auto each = [&](const std::string& step, const std::function<void()>& doIt) {
            doIt();
            MeasureCheck(step);
            UndoRedo(step);
            Window().Documents().UndoGroup().undo();
            SettleChecks();
        };
        each("delete branch", [&] { Document().DeleteBranch(branchId_); });
        each("add node", [&] { Document().AddNode(busyId_, "Stall", ""); });
        each("rename", [&] { Document().RenameNode(busyId_, "Stalled", ""); });
        each("remove command", [&] { Document().RemoveCommands(busyId_, {0}, "Remove Command"); });
        each("sort branch", [&] { Document().SortBranch(branchId_, false); });
    }

    // Commands that may take longer, with progress after a quarter of a second: their longest
    // stall is how long the window goes without painting.
    void LongCommands() {
        QPushButton* expand = nullptr;
        for (QPushButton* button : Window().findChildren<QPushButton*>()) {
            if (button->text() == "E&xpand/Collapse All") {
                expand = button;
            }
        }
        Measure("Expand All (long command)", [&] { QTest::mouseClick(expand, Qt::LeftButton); });
        Measure("Collapse All (long command)", [&] { QTest::mouseClick(expand, Qt::LeftButton); });
        Measure("Sort All (long command)",
                [&] { test::TriggerAction(Window(), "sortAllDescending"); });
        SettleChecks();
        Measure("undo Sort All (long command)", [&] { Window().Documents().UndoGroup().undo(); });
        SettleChecks();
        Measure("redo Sort All (long command)", [&] { Window().Documents().UndoGroup().redo(); });
        SettleChecks();
        Window().Documents().UndoGroup().undo();
        SettleChecks();
        Measure("Check Dialogue (long command)",
                [&] { test::TriggerAction(Window(), "checkDialogue"); });
        SettleChecks();
    }

    void SettleMap(MapView& map) {
        while (!map.IsSettled()) {
            QTest::qWait(5);
        }
        SettleChecks();
    }

    // The map shown on the busy node, from an edit that adds a link to it until the map has
    // drawn the new link; the map is hidden again after, so it costs the other rows nothing.
    void MapAfterNewLink() {
        auto& map = *Window().findChild<MapView*>("map");
        test::TriggerAction(Window(), "showMap");
        Document().SetCurrentNode(busyId_);
        SettleMap(map);
        bool drawn = false;
        const auto connection =
            QObject::connect(&map, &MapView::redrawn, [&drawn] { drawn = true; });
        Measure(
            "map after a new link",
            [&] {
                EditorDocument::Commands commands;
                commands.push_back(std::make_unique<CommandGoto>("NoSuchNode"));
                Document().AppendCommands(busyId_, std::move(commands), "Add Command");
            },
            [&] { return drawn; });
        QObject::disconnect(connection);
        SettleMap(map);
        Window().Documents().UndoGroup().undo();
        SettleMap(map);
        test::TriggerAction(Window(), "showMap");
    }

    EditorWindow editor_;
    std::int32_t busyId_ = 0;
    std::int32_t branchId_ = 0;
    std::int64_t branchSize_ = 0;
    std::map<std::string, Stall> stalls_;
};

// Counters "<interaction> wall ms" and "<interaction> CPU ms": the worst of the rounds.
void BM_EditorLongestStall(benchmark::State& state) {
    for (auto _ : state) {
        StallSession session(state.range(0));
        for (const auto& [row, stall] : session.Run()) {
            state.counters[row + " wall ms"] = stall.wallMs;
            state.counters[row + " CPU ms"] = stall.cpuMs;
        }
        state.counters["branch nodes"] = static_cast<double>(session.BranchSize());
    }
}
BENCHMARK(BM_EditorLongestStall)
    ->Apply(DialogueSizes)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw::bench
