#include "graph/graph_neighbourhood.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

// Nodes named by their index; edges as (from, to) pairs.
DialogueGraph MakeGraph(std::size_t count, const std::vector<std::pair<int, int>>& links) {
    std::vector<GraphNode> nodes(count);
    for (std::size_t i = 0; i < count; ++i) {
        nodes[i].name = std::to_string(i);
    }
    std::vector<GraphEdge> edges;
    for (const auto& [from, to] : links) {
        GraphEdge edge;
        edge.from = static_cast<std::size_t>(from);
        edge.to = static_cast<std::size_t>(to);
        edges.push_back(edge);
    }
    return DialogueGraph(std::move(nodes), std::move(edges));
}

struct Cut {
    std::string nodes;  // "name:moreIn/moreOut" in the cut's order
    std::string edges;  // "from>to" by names
};

Cut Describe(const DialogueGraph& graph) {
    Cut cut;
    for (const GraphNode& node : graph.Nodes()) {
        cut.nodes += node.name + ":" + std::to_string(node.moreIn) + "/" +
                     std::to_string(node.moreOut) + " ";
    }
    for (const GraphEdge& edge : graph.Edges()) {
        cut.edges += graph.Nodes()[edge.from].name + ">" + graph.Nodes()[edge.to].name + " ";
    }
    return cut;
}

// 0 -> 1 -> 2 -> 3 -> 4 -> 5, and 5 -> 0 closing the ring's far side is left out on purpose.
TEST(Neighbourhood, ChainFollowsLinksBothWaysAndCountsWhatGoesOn) {
    const DialogueGraph chain = MakeGraph(6, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}});
    const Cut one = Describe(NeighbourhoodOf(chain, 2, 1));
    EXPECT_EQ(one.nodes, "2:0/0 3:0/1 1:1/0 ");
    EXPECT_EQ(one.edges, "2>3 1>2 ");
    const Cut two = Describe(NeighbourhoodOf(chain, 2, 2));
    EXPECT_EQ(two.nodes, "2:0/0 3:0/0 1:0/0 4:0/1 0:0/0 ");
    EXPECT_EQ(two.edges, "2>3 3>4 1>2 0>1 ");
    // Hops are held to 1..5.
    EXPECT_EQ(Describe(NeighbourhoodOf(chain, 0, 0)).nodes, "0:0/0 1:0/1 ");
    EXPECT_EQ(Describe(NeighbourhoodOf(chain, 0, 99)).nodes,
              "0:0/0 1:0/0 2:0/0 3:0/0 4:0/0 5:0/0 ");
    EXPECT_TRUE(NeighbourhoodOf(chain, 6, 1).Nodes().empty());
}

// A hub with three spokes, one of which goes on to a tail; a loop and two parallel links.
TEST(Neighbourhood, StarKeepsLoopsAndParallelLinks) {
    const DialogueGraph star =
        MakeGraph(5, {{0, 1}, {2, 0}, {0, 3}, {3, 4}, {0, 0}, {0, 1}, {4, 3}});
    const Cut cut = Describe(NeighbourhoodOf(star, 0, 1));
    EXPECT_EQ(cut.nodes, "0:0/0 1:0/0 3:1/1 2:0/0 ");
    EXPECT_EQ(cut.edges, "0>1 0>3 0>0 0>1 2>0 ");
    const Cut fromSpoke = Describe(NeighbourhoodOf(star, 4, 1));
    EXPECT_EQ(fromSpoke.nodes, "4:0/0 3:1/0 ");
    EXPECT_EQ(fromSpoke.edges, "4>3 3>4 ");
}

}  // namespace
}  // namespace tw
