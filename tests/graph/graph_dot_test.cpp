#include "graph/graph_dot.h"

#include <gtest/gtest.h>
#include <gvc.h>

#include <string>
#include <vector>

#include "graph/graphviz_run.h"

namespace tw {
namespace {

using namespace std::string_literals;

struct HostileText {
    std::string bytes;  // Windows-1252, as a node name or a choice
    std::string shown;  // UTF-8, as Graphviz lays it out
};

// What DOT, Graphviz's label escapes and entities would otherwise take for their own.
const std::vector<HostileText> kHostile{
    {"Say \"hi\"", "Say \"hi\""},
    {"back\\slash and \\N \\G \\E \\T \\H \\L", "back\\slash and \\N \\G \\E \\T \\H \\L"},
    {"not a \\n break, nor \\l or \\r", "not a \\n break, nor \\l or \\r"},
    {"ends in a backslash\\", "ends in a backslash\\"},
    {"two \\\\ and a quote \\\"", "two \\\\ and a quote \\\""},
    {"<b>bold</b> <<html>>", "<b>bold</b> <<html>>"},
    {"&amp; & &#92; &lt;", "&amp; & &#92; &lt;"},
    {"caf\xE9 \x80 \x93quoted\x94 \x81", "caf\u00e9 \u20ac \u201cquoted\u201d \u0081"},
    {"tab\there\nline\rDEL\x7F", "tab\u2409here\u240aline\u240dDEL\u2421"},
    {"nul\0byte"s, "nul\u2400byte"},
    {"{ } ; -> -- [ ] = , digraph node edge", "{ } ; -> -- [ ] = , digraph node edge"},
};

std::string SpansOf(const textlabel_t* label) {
    std::string text;
    for (short i = 0; label != nullptr && i < label->u.txt.nspans; ++i) {
        text += (i > 0 ? "\n" : "") + std::string(label->u.txt.span[i].str);
    }
    return text;
}

// Each hostile text names a node and labels the link from it to the next node; Graphviz
// reads the DOT text, lays it out and must show every text as it was.
TEST(GraphDot, HostileTextsRoundTripThroughGraphviz) {
    std::vector<GraphNode> nodes(kHostile.size());
    std::vector<GraphEdge> edges;
    for (std::size_t i = 0; i < kHostile.size(); ++i) {
        nodes[i].name = kHostile[i].bytes;
        nodes[i].isReachable = true;
        GraphEdge edge;
        edge.from = i;
        edge.to = (i + 1) % kHostile.size();
        edge.label = kHostile[i].bytes;
        edges.push_back(edge);
    }
    DotOptions options;
    options.labelLimit = 0;
    options.linkLabels = LinkLabels::kRanked;
    const std::string dot = WriteGraphDot(DialogueGraph(nodes, edges), options);
    std::vector<std::string> shownNodes(kHostile.size());
    std::vector<std::string> shownLinks(kHostile.size());
    bool laidOut = false;
    RunGraphviz([&](GVC_s* context) {
        Agraph_t* graph = agmemread(dot.c_str());
        ASSERT_NE(graph, nullptr) << dot;
        laidOut = gvLayout(context, graph, "dot") == 0;
        for (Agnode_t* node = agfstnode(graph); laidOut && node != nullptr;
             node = agnxtnode(graph, node)) {
            const std::size_t index = std::stoul(agnameof(node) + 1);
            shownNodes.at(index) = SpansOf(ND_label(node));
            for (Agedge_t* edge = agfstout(graph, node); edge != nullptr;
                 edge = agnxtout(graph, edge)) {
                shownLinks.at(index) = SpansOf(ED_label(edge));
            }
        }
        if (laidOut) {
            gvFreeLayout(context, graph);
        }
        agclose(graph);
    });
    ASSERT_TRUE(laidOut) << dot;
    for (std::size_t i = 0; i < kHostile.size(); ++i) {
        EXPECT_EQ(shownNodes[i], kHostile[i].shown) << "node " << i;
        EXPECT_EQ(shownLinks[i], kHostile[i].shown) << "link " << i;
    }
}

}  // namespace
}  // namespace tw
