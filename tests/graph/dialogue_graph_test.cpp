#include "graph/dialogue_graph.h"

#include <gtest/gtest.h>

#include "model/check/dialogue_check.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

// The map marks as unreachable exactly the nodes the check reports.
TEST(DialogueGraph, ReachabilityIsTheChecks) {
    Dialogue dialogue;
    const std::string json = test::ReadBytes(TW_SOURCE_DIR "/tests/cli/data/graph/links.json");
    ASSERT_FALSE(DialogueFromJson(json, dialogue));
    const DialogueGraph graph = CompileDialogueGraph(dialogue);
    std::set<std::int32_t> unreachable;
    for (const Finding& finding : CheckDialogue(dialogue)) {
        if (finding.rule == kRuleUnreachableNode) {
            unreachable.insert(finding.nodeId);
        }
    }
    ASSERT_FALSE(unreachable.empty());
    for (const GraphNode& node : graph.Nodes()) {
        if (!node.isGhost) {
            EXPECT_EQ(node.isReachable, !unreachable.contains(node.id)) << node.name;
        }
    }
}

TEST(DialogueGraph, LabelsAndTextsAreShortenedOnRequest) {
    EXPECT_EQ(ShortenForDisplay("Tell me more", 0), "Tell me more");
    EXPECT_EQ(ShortenForDisplay("Tell me more", 12), "Tell me more");
    EXPECT_EQ(ShortenForDisplay("Tell me more", 8), "Tell ...");
    EXPECT_EQ(ShortenForDisplay("Tell me more", 2), "..");
    Dialogue dialogue;
    const std::string json = test::ReadBytes(TW_SOURCE_DIR "/tests/cli/data/graph/links.json");
    ASSERT_FALSE(DialogueFromJson(json, dialogue));
    const DialogueGraph graph = CompileDialogueGraph(dialogue, {8, 10});
    EXPECT_EQ(graph.Nodes()[1].firstLine, "Hello t...");
    std::size_t labels = 0;
    for (const GraphEdge& edge : graph.Edges()) {
        EXPECT_LE(edge.label.size(), 8U);
        labels += edge.label.ends_with("...") ? 1 : 0;
    }
    EXPECT_GT(labels, 0U);
}

}  // namespace
}  // namespace tw
