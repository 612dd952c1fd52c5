// The main window on large dialogues: opening one, selecting a busy node, switching tabs
// and typing into the node text, each at every corpus size.

#include <benchmark/benchmark.h>

#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>
#include <vector>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "model/tree_view.h"
#include "support/window_controls.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/platform/text_codec.h"

namespace tw::bench {
namespace {

// From the file on disk to the tree shown in a fresh window.
void BM_EditorOpen(benchmark::State& state) {
    TimeOpening(state, CorpusFile(state.range(0), "open.vrx"));
}
BENCHMARK(BM_EditorOpen)->Apply(DialogueSizes)->Iterations(3);

// The yardstick: the same file loaded and its labels put, with their nesting, into a bare
// tree widget that is shown.
void FillBareTree(QTreeWidget& tree, Dialogue& dialogue) {
    std::vector<QTreeWidgetItem*> items;
    const std::vector<TreeViewItem> entries = TreeViewItems(dialogue);
    items.reserve(entries.size());
    for (const TreeViewItem& entry : entries) {
        auto* item = new QTreeWidgetItem(QStringList(FromBytes(entry.label)));
        if (entry.parentIndex > 0) {
            items[static_cast<std::size_t>(entry.parentIndex)]->addChild(item);
        } else {
            tree.addTopLevelItem(item);
        }
        items.push_back(item);
    }
}

void BM_EditorOpenYardstick(benchmark::State& state) {
    const std::string path = CorpusFile(state.range(0), "open.vrx");
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<QTreeWidget>();
        tree->setHeaderHidden(true);
        tree->resize(300, 500);
        tree->show();
        Settle();
        state.ResumeTiming();
        Dialogue dialogue;
        benchmark::DoNotOptimize(dialogue.Load(path));
        FillBareTree(*tree, dialogue);
        Settle();
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorOpenYardstick)->Apply(DialogueSizes)->Iterations(3);

// Selecting the node with the most commands and responses from a small one: its text,
// comments and both lists filled, some 300 rows.
void BM_EditorSelectBusyNode(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(BusyCorpusFile(state.range(0)));
    CTalkwrightDlg& window = editor.Window();
    QTreeWidgetItem* busy =
        FindItem(window, BusiestNodeId(window.Documents().Current().GetDialogue()));
    QTreeWidgetItem* other = test::CurrentTree(window)->topLevelItem(1);
    for (auto _ : state) {
        state.PauseTiming();
        test::CurrentTree(window)->setCurrentItem(other);
        Settle();
        state.ResumeTiming();
        test::CurrentTree(window)->setCurrentItem(busy);
        Settle();
    }
    state.counters["rows"] = static_cast<double>(test::CommandList(window)->topLevelItemCount() +
                                                 test::ResponseList(window)->topLevelItemCount());
}
BENCHMARK(BM_EditorSelectBusyNode)->Apply(DialogueSizes)->Iterations(10);

// Two documents of the same size open; each iteration goes to the other tab.
void BM_EditorSwitchTabs(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(CorpusFile(state.range(0), "first.vrx"));
    editor.Open(CorpusFile(state.range(0), "second.vrx"));
    QTabBar* tabs = test::DialogueTabs(editor.Window());
    for (auto _ : state) {
        tabs->setCurrentIndex(1 - tabs->currentIndex());
        Settle();
    }
}
BENCHMARK(BM_EditorSwitchTabs)->Apply(DialogueSizes)->Iterations(6);

// One key typed at the end of the busy node's text, written back into the model as RTF;
// the key is taken back again outside the timing.
void BM_EditorTypeCharacter(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(BusyCorpusFile(state.range(0)));
    CTalkwrightDlg& window = editor.Window();
    test::CurrentTree(window)->setCurrentItem(
        FindItem(window, BusiestNodeId(window.Documents().Current().GetDialogue())));
    Settle();
    CStyleEditCtrl* text = test::NodeTextBox(window);
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        QTest::keyClick(text, Qt::Key_A);
        Settle();
        state.PauseTiming();
        if (!window.Documents().Current().IsModified()) {
            throw std::runtime_error("the key did not reach the node text");
        }
        QTest::keyClick(text, Qt::Key_Backspace);
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorTypeCharacter)->Apply(DialogueSizes)->Iterations(20);

}  // namespace
}  // namespace tw::bench
