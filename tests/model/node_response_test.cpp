#include "model/node_response.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

// What an edit of the "Response" cell means for each kind of response.
TEST(NodeResponseTest, ShownTextEdits) {
    struct Case {
        bool isCut;
        std::string typed;
        std::string shown;
        std::string playerText;
        bool changed;
    };
    const Case cases[] = {
        {false, "Two rooms.", "Two rooms.", "Two rooms.", true},
        {false, "", "One room.", "One room.", false},  // empty puts the old text back
        {false, "One room.", "One room.", "One room.", false},
        {true, "anything", "Cut line", "", false},  // the cut's text is not edited here
        {true, "", "Cut line", "", false},
    };
    for (const Case& c : cases) {
        NodeResponseAdd add("A");
        add.SetPlayerText("One room.");
        NodeResponseCut cut("B");
        cut.SetCutText("Cut line");
        NodeResponse& response = c.isCut ? static_cast<NodeResponse&>(cut) : add;
        std::string text = c.typed;
        EXPECT_EQ(response.EditShownText(text), c.changed) << c.typed;
        EXPECT_EQ(text, c.shown);
        if (!c.isCut) {
            EXPECT_EQ(add.GetPlayerText(), c.playerText);
        } else {
            EXPECT_EQ(cut.GetCutText(), "Cut line");
        }
    }
}

}  // namespace
}  // namespace tw
