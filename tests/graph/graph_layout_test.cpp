#include "graph/graph_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

namespace tw {
namespace {

// A start, a diamond, a link back, a loop, a broken link to a ghost and labels.
DialogueGraph SmallMap() {
    std::vector<GraphNode> nodes(6);
    const char* names[] = {"Start", "Left side", "Right", "Join", "Far away node", "Ghost"};
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        nodes[i].name = names[i];
        nodes[i].isReachable = true;
    }
    nodes[5].isGhost = true;
    std::vector<GraphEdge> edges;
    const auto link = [&edges](std::size_t from, std::size_t to, std::string label) {
        GraphEdge edge;
        edge.from = from;
        edge.to = to;
        edge.label = std::move(label);
        edge.isMissing = to == 5;
        edges.push_back(edge);
    };
    link(0, 1, "Go left");
    link(0, 2, "");
    link(1, 3, "Meet");
    link(2, 3, "");
    link(3, 0, "Again");
    link(3, 3, "Stay");
    link(1, 5, "Lost");
    link(3, 4, "");
    return DialogueGraph(std::move(nodes), std::move(edges));
}

double DistanceOutside(const BoxPlacement& box, GraphPoint point) {
    const double dx = std::max(0.0, std::abs(point.x - box.center.x) - box.size.width / 2);
    const double dy = std::max(0.0, std::abs(point.y - box.center.y) - box.size.height / 2);
    return std::hypot(dx, dy);
}

bool Overlap(const BoxPlacement& a, const BoxPlacement& b) {
    return std::abs(a.center.x - b.center.x) < (a.size.width + b.size.width) / 2 &&
           std::abs(a.center.y - b.center.y) < (a.size.height + b.size.height) / 2;
}

TEST(GraphLayout, PlacesEveryBoxApartAndRoutesEveryLinkBetweenItsBoxes) {
    const DialogueGraph map = SmallMap();
    const LayoutOutcome outcome = LayoutGraph(map);
    ASSERT_FALSE(outcome.error) << *outcome.error;
    const GraphLayout& layout = outcome.layout;
    ASSERT_EQ(layout.boxes.size(), map.Nodes().size());
    ASSERT_EQ(layout.edges.size(), map.Edges().size());
    for (std::size_t i = 0; i < layout.boxes.size(); ++i) {
        const BoxPlacement& box = layout.boxes[i];
        EXPECT_EQ(box.size, EstimateBoxSize(map.Nodes()[i], 10)) << i;
        EXPECT_GE(box.center.x - box.size.width / 2, -0.5) << i;
        EXPECT_LE(box.center.y + box.size.height / 2, layout.size.height + 0.5) << i;
        for (std::size_t j = i + 1; j < layout.boxes.size(); ++j) {
            EXPECT_FALSE(Overlap(box, layout.boxes[j])) << i << " and " << j;
        }
    }
    // The route starts at its source box and its arrow ends at its target box, whichever way
    // the layout turned the link to keep the ranks acyclic.
    for (std::size_t i = 0; i < layout.edges.size(); ++i) {
        const EdgeRoute& route = layout.edges[i];
        const GraphEdge& edge = map.Edges()[i];
        ASSERT_GE(route.spline.size(), 4U) << i;
        EXPECT_EQ((route.spline.size() - 1) % 3, 0U) << i;
        EXPECT_LT(DistanceOutside(layout.boxes[edge.from], route.spline.front()), 2.0) << i;
        EXPECT_LT(DistanceOutside(layout.boxes[edge.to], route.arrowTip), 2.0) << i;
        EXPECT_EQ(route.hasLabel, !edge.label.empty()) << i;
        EXPECT_EQ(Flatten(route, 4).size(), 1 + (route.spline.size() - 1) / 3 * 4 + 1);
    }
}

TEST(GraphLayout, BoxesTakeTheMeasuredSizes) {
    LayoutOptions options;
    options.measure = [](const GraphNode& node) {
        return GraphSize{20.0 + 10.0 * static_cast<double>(node.name.size()), 30.0};
    };
    const DialogueGraph map = SmallMap();
    const LayoutOutcome outcome = LayoutGraph(map, options);
    ASSERT_FALSE(outcome.error) << *outcome.error;
    for (std::size_t i = 0; i < map.Nodes().size(); ++i) {
        const GraphSize wanted = options.measure(map.Nodes()[i]);
        EXPECT_NEAR(outcome.layout.boxes[i].size.width, wanted.width, 0.05) << i;
        EXPECT_NEAR(outcome.layout.boxes[i].size.height, wanted.height, 0.05) << i;
    }
}

// Two threads at once get the layout that one gets alone.
TEST(GraphLayout, LayoutsFromSeveralThreadsTakeTurns) {
    const DialogueGraph map = SmallMap();
    const GraphLayout alone = LayoutGraph(map).layout;
    std::vector<GraphLayout> results(4);
    std::vector<std::thread> threads;
    for (GraphLayout& result : results) {
        threads.emplace_back([&map, &result] { result = LayoutGraph(map).layout; });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const GraphLayout& result : results) {
        ASSERT_EQ(result.boxes.size(), alone.boxes.size());
        for (std::size_t i = 0; i < alone.boxes.size(); ++i) {
            EXPECT_EQ(result.boxes[i].center, alone.boxes[i].center);
        }
    }
}

// A chain whose first node also links to every other: a few hundred boxes whose links would
// cross tens of thousands of ranks. It is refused before Graphviz sees it.
TEST(GraphLayout, RefusesWhatWouldTakeGraphvizMinutes) {
    std::vector<GraphNode> nodes(300);
    std::vector<GraphEdge> edges;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        edges.push_back({});
        edges.back().from = i - 1;
        edges.back().to = i;
        edges.push_back({});
        edges.back().from = 0;
        edges.back().to = i;
    }
    const DialogueGraph chain(std::move(nodes), std::move(edges));
    EXPECT_GT(EstimateLayoutWork(chain), 40000U);
    const LayoutOutcome layout = LayoutGraph(chain);
    ASSERT_TRUE(layout.error);
    EXPECT_NE(layout.error->find("a layout takes"), std::string::npos) << *layout.error;
    EXPECT_TRUE(RenderGraphSvg(chain).error);
    LayoutLimits few;
    few.maxNodes = 5;
    EXPECT_EQ(CheckLayoutLimits(SmallMap(), few), "6 nodes, more than the 5 a layout takes");
}

}  // namespace
}  // namespace tw
