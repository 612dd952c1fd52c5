#include "editor/editor_fixture.h"

#include <QApplication>
#include <QTreeWidgetItemIterator>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "bench_corpus.h"
#include "model/command_kinds.h"
#include "model/node_response.h"
#include "model/tree_walk.h"
#include "support/window_controls.h"
#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw::bench {

EditorWindow::EditorWindow() : window_(std::make_unique<CTalkwrightDlg>(services_)) {
    window_->show();
    Settle();
}

// Closing with unsaved edits would ask; the benchmarks throw their edits away.
EditorWindow::~EditorWindow() {
    for (std::size_t i = 0; i < window_->Documents().Count(); ++i) {
        window_->Documents().At(i).GetDialogue().SetModified(false);
    }
    window_.reset();
    Settle();
}

void EditorWindow::Open(const std::string& path) {
    if (!window_->OpenDialogueFile(path)) {
        throw std::runtime_error("cannot open " + path);
    }
    Settle();
    // The Problems check an open schedules would otherwise fire inside whichever timed
    // iteration its delay ends in; it runs here, untimed, instead.
    test::TriggerAction(*window_, "checkDialogue");
    Settle();
}

std::string CorpusFile(std::int64_t nodes, const std::string& name) {
    const Corpus& corpus = CorpusOf(nodes);
    const std::string path = ScratchPath(corpus, name);
    if (!std::filesystem::exists(path)) {
        WritePlain(path, corpus.bytes);
    }
    return path;
}

std::string BusyCorpusFile(std::int64_t nodes) {
    const Corpus& corpus = CorpusOf(nodes);
    const std::string path = ScratchPath(corpus, "busy.vrx");
    if (std::filesystem::exists(path)) {
        return path;
    }
    Dialogue dialogue;
    if (dialogue.Read(corpus.bytes)) {
        throw std::runtime_error("the corpus does not read back");
    }
    DialogueNode& busy = *dialogue.FindNodeById(BusiestNodeId(dialogue));
    for (int i = 0; i < kBusyCommands; ++i) {
        busy.AppendCommand(std::make_unique<CommandVariable>("$gold", std::to_string(i)));
    }
    for (int i = 0; i < kBusyResponses; ++i) {
        auto response = std::make_unique<NodeResponseAdd>("B" + std::to_string(i));
        response->SetPlayerText("How much for the room, and the stabling of " + std::to_string(i) +
                                " horses?");
        response->SetGotoNode(busy.GetName());
        busy.AppendResponse(std::move(response));
    }
    WritePlain(path, dialogue.Write());
    return path;
}

void Settle() {
    QApplication::processEvents();
}

void TimeOpening(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<EditorWindow>();
        state.ResumeTiming();
        editor->Open(path);
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}

QTreeWidgetItem* FindItem(CTalkwrightDlg& window, std::int32_t nodeId) {
    for (QTreeWidgetItemIterator it(test::CurrentTree(window)); *it; ++it) {
        if (EnhancedTreeCtrl::ItemValue(*it) == nodeId) {
            return *it;
        }
    }
    return nullptr;
}

std::int32_t BusiestNodeId(Dialogue& dialogue) {
    std::int32_t busiest = kInitializationNodeId;
    std::size_t most = 0;
    ForEachPreOrder(dialogue.Root(), [&](DialogueNode& node) {
        const std::size_t rows = node.Commands().size() + node.Responses().size();
        if (rows >= most && node.GetId() != kInitializationNodeId) {
            most = rows;
            busiest = node.GetId();
        }
    });
    return busiest;
}

namespace {

std::int64_t CountNodes(const DialogueNode& node) {
    std::int64_t count = 1;
    for (const auto& child : node.Children()) {
        count += CountNodes(*child);
    }
    return count;
}

}  // namespace

const DialogueNode* BranchNear(const DialogueNode& node, std::int64_t wanted, std::int64_t& size) {
    const DialogueNode* best = nullptr;
    for (const auto& child : node.Children()) {
        const std::int64_t count = CountNodes(*child);
        if (best == nullptr || std::llabs(count - wanted) < std::llabs(size - wanted)) {
            best = child.get();
            size = count;
        }
        std::int64_t inner = 0;
        const DialogueNode* below = count > wanted ? BranchNear(*child, wanted, inner) : nullptr;
        if (below != nullptr && std::llabs(inner - wanted) < std::llabs(size - wanted)) {
            best = below;
            size = inner;
        }
    }
    return best;
}

}  // namespace tw::bench
