// Sort All over the whole tree, and undo and redo of a Delete Branch of a large subtree.

#include <benchmark/benchmark.h>

#include <QUndoGroup>
#include <stdexcept>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "support/window_controls.h"
#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw::bench {
namespace {

// Each iteration sorts the other way, so every sort moves nodes.
void BM_EditorSortAll(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(CorpusFile(state.range(0), "sort.vrx"));
    bool ascending = true;
    for (auto _ : state) {
        test::TriggerAction(editor.Window(), ascending ? "sortAllAscending" : "sortAllDescending");
        Settle();
        ascending = !ascending;
    }
}
BENCHMARK(BM_EditorSortAll)->Apply(DialogueSizes)->Iterations(4);

// A branch of 10,000 nodes (a tenth of the smaller dialogues) deleted once; each iteration
// undoes the deletion and redoes it.
void BM_EditorUndoRedoDeleteBranch(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(CorpusFile(state.range(0), "undo.vrx"));
    CTalkwrightDlg& window = editor.Window();
    std::int64_t size = 0;
    const DialogueNode* branch =
        BranchNear(window.Documents().Current().GetDialogue().Root(),
                   std::min<std::int64_t>(10'000, state.range(0) / 10), size);
    test::CurrentTree(window)->setCurrentItem(FindItem(window, branch->GetId()));
    editor.Services().QueueAnswer(MessageAnswer::kYes);
    test::TriggerAction(window, "deleteBranch");
    Settle();
    QUndoGroup& steps = window.Documents().UndoGroup();
    if (!steps.canUndo()) {
        throw std::runtime_error("the branch was not deleted");
    }
    for (auto _ : state) {
        steps.undo();
        Settle();
        steps.redo();
        Settle();
    }
    state.counters["branch"] = static_cast<double>(size);
}
BENCHMARK(BM_EditorUndoRedoDeleteBranch)->Apply(DialogueSizes)->Iterations(4);

}  // namespace
}  // namespace tw::bench
