#include "graph/graph_snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "generator/dialogue_generator.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

void ExpectSameGraph(const DialogueGraph& a, const DialogueGraph& b) {
    ASSERT_EQ(a.Nodes().size(), b.Nodes().size());
    ASSERT_EQ(a.Edges().size(), b.Edges().size());
    for (std::size_t i = 0; i < a.Nodes().size(); ++i) {
        const GraphNode& x = a.Nodes()[i];
        const GraphNode& y = b.Nodes()[i];
        EXPECT_TRUE(x.id == y.id && x.serial == y.serial && x.name == y.name &&
                    x.description == y.description && x.firstLine == y.firstLine &&
                    x.isStart == y.isStart && x.isReachable == y.isReachable &&
                    x.isGhost == y.isGhost)
            << "node " << i << " " << x.name;
    }
    for (std::size_t i = 0; i < a.Edges().size(); ++i) {
        const GraphEdge& x = a.Edges()[i];
        const GraphEdge& y = b.Edges()[i];
        EXPECT_TRUE(x.from == y.from && x.to == y.to && x.kind == y.kind && x.label == y.label &&
                    x.isConditional == y.isConditional && x.isMissing == y.isMissing &&
                    x.item == y.item && x.row == y.row)
            << "edge " << i;
    }
}

// The two halves give the graph the direct build gives, on a sample with every kind of link,
// missing names and unreachable nodes, and on a generated dialogue.
TEST(GraphSnapshot, BuildsTheSameGraphAsTheReferences) {
    const GraphOptions options{8, 10};
    Dialogue sample;
    ASSERT_FALSE(DialogueFromJson(test::ReadBytes(TW_SOURCE_DIR "/tests/cli/data/graph/links.json"),
                                  sample));
    const std::unique_ptr<Dialogue> generated = GenerateDialogue({500, 7});
    for (Dialogue* dialogue : {&sample, generated.get()}) {
        GraphFactsCache cache(options);
        const DialogueGraph fromSnapshot = BuildDialogueGraph(cache.Snapshot(*dialogue));
        ExpectSameGraph(fromSnapshot, CompileDialogueGraph(*dialogue, options));
    }
}

// Only a node marked changed is read again; a snapshot taken before an edit keeps what it saw.
TEST(GraphSnapshot, KeepsUnchangedFactsAndOldSnapshotsStayAsTaken) {
    const std::unique_ptr<Dialogue> dialogue = GenerateDialogue({50, 3});
    GraphFactsCache cache;
    const GraphSnapshot before = cache.Snapshot(*dialogue);
    DialogueNode& node = *dialogue->FindNodeById(before[5]->id);
    const std::size_t links = before[5]->links.size();
    node.AppendCommand(std::make_unique<CommandGoto>("Nowhere"));
    EXPECT_EQ(cache.Snapshot(*dialogue)[5], before[5]);  // not marked: not read again
    cache.MarkChanged(node);
    const GraphSnapshot after = cache.Snapshot(*dialogue);
    EXPECT_EQ(after[5]->links.size(), links + 1);
    EXPECT_TRUE(std::ranges::any_of(
        after[5]->links, [](const GraphLink& link) { return link.target == "Nowhere"; }));
    EXPECT_EQ(before[5]->links.size(), links);
    EXPECT_EQ(after[4], before[4]);
    EXPECT_TRUE(BuildDialogueGraph(after).Nodes().back().isGhost);
}

}  // namespace
}  // namespace tw
