// The window on a dialogue of which one node carries a name or a text of megabytes, as a file
// written by another tool may: opening it, and a click on that node in the tree.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <stdexcept>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "editor/stall_meter.h"
#include "model/node_response.h"
#include "support/window_controls.h"
#include "ui/controls/style_edit_ctrl.h"

namespace tw::bench {
namespace {

enum HugePart : std::int64_t { kHugeName = 0, kHugeText = 1 };

constexpr std::int64_t kMiB = 1024 * 1024;
constexpr std::int32_t kHugeNodeId = 2;

// Sentences in paragraphs of a few lines, so the text box lays out many lines, not one.
std::string HugeText(std::int64_t bytes) {
    const std::string sentence = "The innkeeper wipes the counter and looks up. ";
    std::string text;
    text.reserve(static_cast<std::size_t>(bytes));
    for (int i = 1; static_cast<std::int64_t>(text.size()) < bytes; ++i) {
        text += sentence;
        if (i % 8 == 0) {
            text += "\r\n";
        }
    }
    return text;
}

// The 1,000-node corpus with node 2 renamed, or given a new text, at that many MiB; the
// NPC's name grows with the node's, for the tab and the title.
std::string HugeFile(HugePart part, std::int64_t mebibytes) {
    const Corpus& corpus = CorpusOf(1'000);
    const std::string path = ScratchPath(corpus, (part == kHugeName ? "huge_name_" : "huge_text_") +
                                                     std::to_string(mebibytes) + ".vrx");
    if (std::filesystem::exists(path)) {
        return path;
    }
    Dialogue dialogue;
    if (dialogue.Read(corpus.bytes)) {
        throw std::runtime_error("the corpus does not read back");
    }
    DialogueNode& node = *dialogue.FindNodeById(kHugeNodeId);
    if (part == kHugeName) {
        const std::string name(static_cast<std::size_t>(mebibytes * kMiB), 'N');
        dialogue.Npc().name = name;
        auto back = std::make_unique<NodeResponseAdd>("H01");
        back->SetPlayerText("Once more.");
        back->SetGotoNode(name);
        node.AppendResponse(std::move(back));
        node.SetName(name);
    } else {
        node.SetText(HugeText(mebibytes * kMiB));
        node.SetTextRich(false);
    }
    WritePlain(path, dialogue.Write());
    return path;
}

void HugeSizes(benchmark::internal::Benchmark* benchmark) {
    for (std::int64_t part : {kHugeName, kHugeText}) {
        for (std::int64_t mebibytes : {1, 4, 16}) {
            benchmark->Args({part, mebibytes});
        }
    }
    benchmark->Unit(benchmark::kMillisecond)->Iterations(1);
}

// From the file on disk to the window shown and checked.
void BM_EditorOpenHuge(benchmark::State& state) {
    TimeOpening(state, HugeFile(static_cast<HugePart>(state.range(0)), state.range(1)));
}
BENCHMARK(BM_EditorOpenHuge)->Apply(HugeSizes);

// A click on the huge node's item, from another node, until the window has shown it.
void BM_EditorClickHuge(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(HugeFile(static_cast<HugePart>(state.range(0)), state.range(1)));
    QTreeWidget* tree = test::CurrentTree(editor.Window());
    QTreeWidgetItem* huge = FindItem(editor.Window(), kHugeNodeId);
    QTreeWidgetItem* other = FindItem(editor.Window(), kHugeNodeId + 1);
    for (auto _ : state) {
        state.PauseTiming();
        tree->setCurrentItem(other);
        tree->scrollToItem(huge);
        Settle();
        state.ResumeTiming();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(huge).center());
        Settle();
    }
    if (tree->currentItem() != huge) {
        state.SkipWithError("the click missed the node");
    }
}
BENCHMARK(BM_EditorClickHuge)->Apply(HugeSizes);

// The scroll range of the text box once the huge text is laid out whole.
int WholeTextRange(QTreeWidget& tree, QTreeWidgetItem& huge, CStyleEditCtrl& text) {
    tree.setCurrentItem(&huge);
    Settle();
    text.document()->documentLayout()->documentSize();  // lays out the rest at once
    Settle();
    return text.verticalScrollBar()->maximum();
}

// The longest the window stays away from its loop from a click on the node with the huge text
// until the text box has laid all of it out, which it does in slices after the click.
void BM_EditorClickHugeTextStall(benchmark::State& state) {
    EditorWindow editor;
    editor.Open(HugeFile(kHugeText, state.range(0)));
    QTreeWidget* tree = test::CurrentTree(editor.Window());
    QTreeWidgetItem* huge = FindItem(editor.Window(), kHugeNodeId);
    QTreeWidgetItem* other = FindItem(editor.Window(), kHugeNodeId + 1);
    CStyleEditCtrl* text = test::NodeTextBox(editor.Window());
    const int whole = WholeTextRange(*tree, *huge, *text);
    for (auto _ : state) {
        tree->setCurrentItem(other);
        tree->scrollToItem(huge);
        Settle();
        QElapsedTimer clock;
        clock.start();
        const Stall stall = LongestStall(
            [&] {
                QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                                  tree->visualItemRect(huge).center());
            },
            [&] { return text->verticalScrollBar()->maximum() == whole; });
        state.counters["stall_ms"] = stall.wallMs;
        state.counters["stall_cpu_ms"] = stall.cpuMs;
        state.counters["laid_out_ms"] = static_cast<double>(clock.elapsed());
    }
}
BENCHMARK(BM_EditorClickHugeTextStall)
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace tw::bench
