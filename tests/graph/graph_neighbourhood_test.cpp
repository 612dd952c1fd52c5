#include "graph/graph_neighbourhood.h"

#include <gtest/gtest.h>

#include <vector>

namespace tw {
namespace {

// The cuts themselves are in the command session graph.txt; here what no command can ask
// for: a node past the end, and no hops at all.
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
