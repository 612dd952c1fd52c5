// The node tree on large dialogues: Expand/Collapse All and a branch dragged between two
// branches near the top.

#include <benchmark/benchmark.h>

#include <QTreeWidgetItem>
#include <stdexcept>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "support/window_controls.h"
#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw::bench {
namespace {

void BM_EditorExpandCollapseAll(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(CorpusFile(state.range(0), "expand.vrx"));
    EnhancedTreeCtrl& tree = *test::CurrentTree(editor.Window());
    for (auto _ : state) {
        tree.ExpandAll(true);
        Settle();
        tree.ExpandAll(false);
        Settle();
    }
}
BENCHMARK(BM_EditorExpandCollapseAll)->Apply(DialogueSizes)->Iterations(3);

// The first two top-level branches that have children: the dragged branch goes to and fro
// between them.
std::pair<QTreeWidgetItem*, QTreeWidgetItem*> TwoParents(EnhancedTreeCtrl& tree) {
    QTreeWidgetItem* found[2] = {nullptr, nullptr};
    int count = 0;
    for (int i = 1; i < tree.topLevelItemCount() && count < 2; ++i) {
        if (tree.topLevelItem(i)->childCount() > 0) {
            found[count++] = tree.topLevelItem(i);
        }
    }
    if (count < 2) {
        throw std::runtime_error("no two branches near the top");
    }
    return {found[0], found[1]};
}

// One drop, as the mouse makes it, of a child branch of one top-level node onto the other.
void BM_EditorDropMove(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(CorpusFile(state.range(0), "drop.vrx"));
    EnhancedTreeCtrl& tree = *test::CurrentTree(editor.Window());
    const auto [first, second] = TwoParents(tree);
    QTreeWidgetItem* dragged = first->child(0);
    for (auto _ : state) {
        state.PauseTiming();
        QTreeWidgetItem* target = dragged->parent() == first ? second : first;
        tree.collapseAll();
        dragged->parent()->setExpanded(true);
        tree.scrollToTop();
        Settle();
        const QPoint from = tree.visualItemRect(dragged).center();
        const QPoint to = tree.visualItemRect(target).center();
        state.ResumeTiming();
        if (!tree.BeginDrag(dragged, from)) {
            throw std::runtime_error("the drag did not start");
        }
        tree.DragMove(to);
        tree.EndDrag();
        Settle();
        dragged = tree.currentItem();
    }
}
BENCHMARK(BM_EditorDropMove)->Apply(DialogueSizes)->Iterations(6);

}  // namespace
}  // namespace tw::bench
