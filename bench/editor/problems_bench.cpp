// The Problems pane's check after the writer types one character, in the window as the
// timer runs it, beside what it cost before: the full check and a pane filled anew.

#include <benchmark/benchmark.h>

#include <QTableView>
#include <QTest>
#include <stdexcept>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "model/check/dialogue_check.h"
#include "support/window_controls.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/views/problems_pane.h"

namespace tw::bench {
namespace {

// A window with the corpus open, the busiest node selected and the pane filled once.
class CheckedEditor {
public:
    explicit CheckedEditor(std::int64_t nodes) {
        editor_.Open(CorpusFile(nodes, "problems.vrx"));
        CTalkwrightDlg& window = editor_.Window();
        test::CurrentTree(window)->setCurrentItem(
            FindItem(window, BusiestNodeId(window.Documents().Current().GetDialogue())));
        test::TriggerAction(window, "checkDialogue");
        Settle();
        test::NodeTextBox(window)->setFocus();
        test::NodeTextBox(window)->moveCursor(QTextCursor::End);
    }

    CTalkwrightDlg& Window() { return editor_.Window(); }
    // Types "$" and a letter: the node now reads a variable nobody sets, one more finding.
    void Type() { QTest::keyClicks(test::NodeTextBox(Window()), " $q"); }
    void Untype() {
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(test::NodeTextBox(Window()), Qt::Key_Backspace);
        }
    }
    int Rows() {
        return editor_.Window().findChild<QTableView*>("problemsList")->model()->rowCount();
    }

private:
    EditorWindow editor_;
};

void BM_EditorCheckAfterTyping(benchmark::State& state) {
    CheckedEditor editor(state.range(0));
    const int before = editor.Rows();
    for (auto _ : state) {
        state.PauseTiming();
        editor.Type();
        state.ResumeTiming();
        test::TriggerAction(editor.Window(), "checkDialogue");
        Settle();
        state.PauseTiming();
        if (editor.Rows() != before + 1) {
            throw std::runtime_error("the pane does not show the new finding");
        }
        editor.Untype();
        test::TriggerAction(editor.Window(), "checkDialogue");
        state.ResumeTiming();
    }
    state.counters["rows"] = before;
}
BENCHMARK(BM_EditorCheckAfterTyping)->Apply(DialogueSizes)->Iterations(5);

// The yardstick: the whole check of the same document and a new pane filled with its rows.
void BM_EditorCheckAfterTypingYardstick(benchmark::State& state) {
    CheckedEditor editor(state.range(0));
    Dialogue& document = editor.Window().Documents().Current().GetDialogue();
    for (auto _ : state) {
        state.PauseTiming();
        ProblemsPane pane;
        pane.show();
        state.ResumeTiming();
        pane.SetFindings(CheckDialogue(document));
        Settle();
    }
}
BENCHMARK(BM_EditorCheckAfterTypingYardstick)->Apply(DialogueSizes)->Iterations(5);

}  // namespace
}  // namespace tw::bench
