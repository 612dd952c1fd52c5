#include "export/dialogue_export.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tw {
namespace {

// Single dialogues and their scripts are cases in cases/.

TEST(DialogueExport, TreeOfAHundredThousandLevels) {
    constexpr int kDepth = 100000;
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->Npc().name = "Bo";
    dialogue->SetComments("c");
    std::string expected = "NPC: Bo\n\n{** NPC Comments **}\n{** c **}\n{Begin Dialogue}\n\n\n\n\n";
    DialogueNode* parent = &dialogue->Root();
    for (int id = 1; id <= kDepth; ++id) {
        const std::string name = "n" + std::to_string(id);
        parent = &dialogue->AppendNode(*parent, id, name);
        expected += name + ")   \n\n\n";
    }
    EXPECT_EQ(ExportScript(*dialogue), expected);
}

}  // namespace
}  // namespace tw
