// The map's plain rules: when a new graph needs a new layout, a test's road on the graph, and
// where the arrow keys lead.

#include "ui/views/map/map_links.h"

#include <gtest/gtest.h>

#include "ui/views/map/map_navigation.h"

namespace tw {
namespace {

GraphNode Box(std::int32_t id, const char* name) {
    GraphNode node;
    node.id = id;
    node.name = name;
    node.isReachable = true;
    return node;
}

GraphEdge Link(std::size_t from, std::size_t to, const char* label = "") {
    GraphEdge edge;
    edge.from = from;
    edge.to = to;
    edge.label = label;
    return edge;
}

// a(10) -> b(11) -> c(12), a -> c, c -> d(13).
DialogueGraph Diamond() {
    return DialogueGraph({Box(10, "a"), Box(11, "b"), Box(12, "c"), Box(13, "d")},
                         {Link(0, 1, "hi"), Link(1, 2), Link(0, 2), Link(2, 3)});
}

TEST(MapLinksTest, OnlyLinksAndLabelsNeedANewLayout) {
    const DialogueGraph shown = Diamond();
    auto nodes = shown.Nodes();
    auto edges = shown.Edges();
    nodes[1].description = "new words";
    nodes[1].firstLine = "and a new first line";
    EXPECT_TRUE(SameLinksAndLabels(shown, DialogueGraph(nodes, edges)));
    auto relabelled = edges;
    relabelled[0].label = "hello";
    EXPECT_FALSE(SameLinksAndLabels(shown, DialogueGraph(nodes, relabelled)));
    auto dashed = edges;
    dashed[3].isConditional = true;
    EXPECT_FALSE(SameLinksAndLabels(shown, DialogueGraph(nodes, dashed)));
    auto renamed = nodes;
    renamed[2].name = "C2";
    EXPECT_FALSE(SameLinksAndLabels(shown, DialogueGraph(renamed, edges)));
    edges.pop_back();
    EXPECT_FALSE(SameLinksAndLabels(shown, DialogueGraph(nodes, edges)));
}

TEST(MapLinksTest, ARoadMarksItsBoxesItsLinksAndWhereItStands) {
    const DialogueGraph graph = Diamond();
    PathMarks marks = MarkPath(graph, {10, 11, 12});
    EXPECT_EQ(marks.entered, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(marks.taken, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(marks.current, 2u);
    // A node the graph does not show breaks the road: no link is taken across it.
    marks = MarkPath(graph, {10, 99, 12});
    EXPECT_EQ(marks.taken, (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(marks.current, 2u);
    marks = MarkPath(graph, {12, 99});
    EXPECT_EQ(marks.current, graph.Nodes().size());
    EXPECT_EQ(MarkPath(graph, {}).current, graph.Nodes().size());
}

struct ArrowCase {
    std::size_t from;
    MapDirection direction;
    std::optional<std::size_t> to;
};

class MapNavigationTest : public testing::TestWithParam<ArrowCase> {};

// a at the top, b a little below it to the left, c far below a, d to the right of c.
TEST_P(MapNavigationTest, ArrowsFollowLinksTheWayTheyPoint) {
    GraphLayout layout;
    for (GraphPoint at :
         {GraphPoint{100, 0}, GraphPoint{0, 60}, GraphPoint{100, 200}, GraphPoint{300, 230}}) {
        layout.boxes.push_back({at, {50, 20}});
    }
    const ArrowCase& c = GetParam();
    EXPECT_EQ(NextLinkedNode(Diamond(), layout, c.from, c.direction), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MapNavigationTest,
    testing::Values(ArrowCase{0, MapDirection::kDown, 2},  // b lies more left than down
                    ArrowCase{0, MapDirection::kLeft, 1}, ArrowCase{0, MapDirection::kRight, {}},
                    ArrowCase{0, MapDirection::kUp, {}}, ArrowCase{2, MapDirection::kUp, 1},
                    ArrowCase{2, MapDirection::kRight, 3}, ArrowCase{3, MapDirection::kLeft, 2},
                    // Nothing lies above d: Up takes its link in; it has no link out for Down.
                    ArrowCase{3, MapDirection::kUp, 2}, ArrowCase{3, MapDirection::kDown, {}},
                    ArrowCase{1, MapDirection::kRight, 0}, ArrowCase{9, MapDirection::kDown, {}}));

}  // namespace
}  // namespace tw
