// The sample dialogues other parts of the program are tried on: each .vrx is what its
// hand-written .json source converts to, so the two can't drift apart.

#include <gtest/gtest.h>

#include <filesystem>

#include "model/dialogue_json.h"
#include "model/tree_walk.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

class Samples : public testing::TestWithParam<const char*> {};

TEST_P(Samples, BinaryMatchesItsJsonSource) {
    const std::filesystem::path dir = std::filesystem::path(TW_SOURCE_DIR) / "samples";
    Dialogue fromJson;
    const auto error = DialogueFromJson(
        test::ReadBytes((dir / (std::string(GetParam()) + ".json")).string()), fromJson);
    ASSERT_FALSE(error.has_value()) << *error;
    Dialogue fromFile;
    ASSERT_FALSE(fromFile.Load((dir / (std::string(GetParam()) + ".vrx")).string()).has_value());
    EXPECT_EQ(fromFile.Write(), fromJson.Write());
    std::vector<std::string> errors;
    fromFile.Compile(errors);
    EXPECT_EQ(errors, std::vector<std::string>{});
    // Every goto names a node of the dialogue.
    ForEachPreOrder(fromFile.Root(), [&](const DialogueNode& node) {
        for (const auto& command : node.Commands()) {
            if (const auto* go = dynamic_cast<const CommandGoto*>(command.get())) {
                EXPECT_NE(fromFile.FindNodeByName(go->GetNode()), nullptr) << go->GetNode();
            }
        }
    });
}

INSTANTIATE_TEST_SUITE_P(All, Samples, testing::Values("innkeeper", "blacksmith"));

}  // namespace
}  // namespace tw
