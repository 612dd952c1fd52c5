#pragma once

// What the editor benchmarks share: a shown main window on the offscreen platform, the
// corpus dialogues as files, and the ways to find a node's item in the tree.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "support/scripted_platform_services.h"
#include "ui/main_window/talkwright_dlg.h"

class QTreeWidgetItem;

namespace tw::bench {

// A main window as the writer sees it: shown, with its first paint done.
class EditorWindow {
public:
    EditorWindow();
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    CTalkwrightDlg& Window() { return *window_; }
    ScriptedPlatformServices& Services() { return services_; }
    // Opens the file and fails the run when it cannot.
    void Open(const std::string& path);

private:
    ScriptedPlatformServices services_;
    std::unique_ptr<CTalkwrightDlg> window_;
};

// The corpus dialogue of that size written to a file of the given name; written once.
std::string CorpusFile(std::int64_t nodes, const std::string& name);

// The corpus dialogue of that size with its busiest node given kBusyCommands more commands
// and kBusyResponses more responses, written to a file once.
inline constexpr int kBusyCommands = 200;
inline constexpr int kBusyResponses = 100;
std::string BusyCorpusFile(std::int64_t nodes);

// Lets the window lay out and paint what changed, as the event loop would.
void Settle();

// Each iteration opens the file in a fresh window; making and closing the window go untimed.
void TimeOpening(benchmark::State& state, const std::string& path);

// The item of the node, or none.
QTreeWidgetItem* FindItem(CTalkwrightDlg& window, std::int32_t nodeId);

// The last node in tree order with the most commands and responses together: the one the
// window looks up longest.
std::int32_t BusiestNodeId(Dialogue& dialogue);

// The node below the top whose branch is nearest the wanted size; answers its size too.
const DialogueNode* BranchNear(const DialogueNode& node, std::int64_t wanted, std::int64_t& size);

}  // namespace tw::bench
