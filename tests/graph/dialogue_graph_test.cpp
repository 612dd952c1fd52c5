#include "graph/dialogue_graph.h"

#include <gtest/gtest.h>

#include <vector>

#include "graph/graph_neighbourhood.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

// The sample of tests/cli/data/graph: every kind of link, missing names, unreachable nodes.
class DialogueGraphTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string json = test::ReadBytes(TW_SOURCE_DIR "/tests/cli/data/graph/links.json");
        ASSERT_FALSE(DialogueFromJson(json, dialogue));
    }
    Dialogue dialogue;
};

TEST_F(DialogueGraphTest, LabelsAndTextsAreShortenedOnRequest) {
    EXPECT_EQ(ShortenForDisplay("Tell me more", 0), "Tell me more");
    EXPECT_EQ(ShortenForDisplay("Tell me more", 12), "Tell me more");
    EXPECT_EQ(ShortenForDisplay("Tell me more", 8), "Tell ...");
    EXPECT_EQ(ShortenForDisplay("Tell me more", 2), "..");
    const DialogueGraph graph = CompileDialogueGraph(dialogue, {8, 10});
    EXPECT_EQ(graph.Nodes()[1].firstLine, "Hello t...");
    std::size_t labels = 0;
    for (const GraphEdge& edge : graph.Edges()) {
        EXPECT_LE(edge.label.size(), 8U);
        labels += edge.label.ends_with("...") ? 1 : 0;
    }
    EXPECT_GT(labels, 0U);
}

// Text edits update a box in place; an edit of a link needs a new graph. Every node of the
// sample is edited both ways, against the graph a full build gives.
TEST_F(DialogueGraphTest, RefreshNodeBoxTakesTextEditsAndRefusesLinkEdits) {
    const GraphOptions options{24, 10};
    DialogueGraph graph = CompileDialogueGraph(dialogue, options);
    for (std::size_t i = 0; i < graph.Nodes().size(); ++i) {
        if (graph.Nodes()[i].isGhost) {
            continue;
        }
        DialogueNode& node = *dialogue.FindNodeById(graph.Nodes()[i].id);
        node.SetText("\n  Edited " + std::to_string(i) + " words\nsecond");
        node.SetTextRich(false);
        ASSERT_TRUE(RefreshNodeBox(graph, i, node, options)) << node.GetName();
        EXPECT_EQ(graph.Nodes()[i].firstLine, "Edited ...");
        node.AppendCommand(std::make_unique<CommandGoto>("Elsewhere"));
        node.CompileRows();
        EXPECT_FALSE(RefreshNodeBox(graph, i, node, options)) << node.GetName();
        node.RemoveCommandAt(node.Commands().size() - 1);
    }
    EXPECT_FALSE(RefreshNodeBox(graph, graph.Nodes().size(), dialogue.Root(), options));
}

// A neighbourhood's cuts themselves are in the command session graph.txt; here what no
// command can ask for: a node past the end, and no hops at all.
TEST(Neighbourhood, AMissingNodeGivesNothingAndAtLeastOneHopIsTaken) {
    std::vector<GraphEdge> edges(2);
    edges[0].to = 1;
    edges[1].from = 1;
    edges[1].to = 2;
    const DialogueGraph chain(std::vector<GraphNode>(3), edges);
    EXPECT_TRUE(NeighbourhoodOf(chain, 3, 1).Nodes().empty());
    EXPECT_EQ(NeighbourhoodOf(chain, 0, 0).Nodes().size(), 2u);
}

}  // namespace
}  // namespace tw
