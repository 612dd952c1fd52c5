#include "generator/dialogue_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/byte_string.h"
#include "model/command_kinds.h"
#include "model/tree_walk.h"
#include "script/compile.h"
#include "script/script_errors.h"

namespace tw {
namespace {

std::vector<const DialogueNode*> PreOrder(const Dialogue& dialogue) {
    std::vector<const DialogueNode*> nodes;
    ForEachPreOrder(dialogue.Root(),
                    [&nodes](const DialogueNode& node) { nodes.push_back(&node); });
    return nodes;
}

// Every node name a command or response of the dialogue goes to.
std::vector<std::string> TargetsOf(const DialogueNode& node) {
    std::vector<std::string> targets;
    for (const auto& command : node.Commands()) {
        if (const auto* go = dynamic_cast<const CommandGoto*>(command.get())) {
            targets.push_back(go->GetNode());
        } else if (const auto* yesNo = dynamic_cast<const CommandYesNo*>(command.get())) {
            targets.insert(targets.end(), yesNo->GetNodes().begin(), yesNo->GetNodes().end());
        } else if (const auto* list = dynamic_cast<const CommandList*>(command.get())) {
            for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
                if (!list->GetChoice(i).empty()) {
                    targets.push_back(list->GetNode(i));
                }
            }
            targets.push_back(list->GetReturnNode());
        }
    }
    for (const auto& response : node.Responses()) {
        if (const auto* add = dynamic_cast<const NodeResponseAdd*>(response.get())) {
            targets.push_back(add->GetGotoNode());
        }
    }
    return targets;
}

// The very dialogues of three sizes are pinned by the command session
// tests/cli/data/commands/export.txt; these are the promises behind them, at other sizes.

TEST(DialogueGenerator, NodesHaveDistinctIdsAndNamesAndEveryTargetExists) {
    for (const std::int32_t count : {1, 2, 10, 500}) {
        const auto dialogue = GenerateDialogue({.nodes = count, .seed = 3});
        const auto nodes = PreOrder(*dialogue);
        ASSERT_EQ(nodes.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(dialogue->GetNextNodeId(), count);
        std::set<std::int32_t> ids;
        std::set<std::string> names;
        for (const DialogueNode* node : nodes) {
            ids.insert(node->GetId());
            names.insert(ToLowerAscii(node->GetName()));
            // Commands name nodes by words; only the initialization node keeps its blank.
            EXPECT_EQ(ContainsWhiteSpace(node->GetName()), node->GetId() == 0) << node->GetName();
        }
        EXPECT_EQ(ids.size(), nodes.size());
        EXPECT_EQ(*ids.rbegin(), count - 1);
        EXPECT_EQ(names.size(), nodes.size());
        for (const DialogueNode* node : nodes) {
            for (const std::string& target : TargetsOf(*node)) {
                EXPECT_TRUE(names.contains(ToLowerAscii(target)))
                    << node->GetName() << " goes to " << target;
            }
        }
    }
}

// Cut responses name an earlier [ADD] and copy its text; every script compiles. (Both file
// forms of generated dialogues read back alike in the JSON writer's tests and the export
// session.)
TEST(DialogueGenerator, ResponsesAndScriptsHoldTogether) {
    const auto dialogue = GenerateDialogue({.nodes = 2000, .seed = 21});
    std::vector<std::pair<std::string, std::string>> added;  // tag, player text, so far
    std::size_t cuts = 0;
    for (const DialogueNode* node : PreOrder(*dialogue)) {
        for (const auto& command : node->Commands()) {
            EXPECT_NO_THROW(EXPECT_NE(CompileStatement(command->GetScriptText()), nullptr))
                << command->GetScriptText();
        }
        for (const auto& response : node->Responses()) {
            if (response->HasCondition()) {
                const std::string& condition = response->GetCondition()->GetExpression();
                EXPECT_NO_THROW(EXPECT_NE(ParseCondition(condition), nullptr)) << condition;
            }
            if (const auto* add = dynamic_cast<const NodeResponseAdd*>(response.get())) {
                EXPECT_FALSE(ContainsNonWordChar(add->GetTag())) << add->GetTag();
                added.emplace_back(add->GetTag(), add->GetPlayerText());
                continue;
            }
            const auto& cut = dynamic_cast<const NodeResponseCut&>(*response);
            EXPECT_TRUE(cut.GetTag().empty());
            ++cuts;
            EXPECT_NE(
                std::find(added.begin(), added.end(), std::pair{cut.GetCutTag(), cut.GetCutText()}),
                added.end())
                << cut.GetCutTag();
        }
    }
    std::set<std::string> tags;
    for (const auto& entry : added) {
        tags.insert(ToLowerAscii(entry.first));
    }
    EXPECT_EQ(tags.size(), added.size());
    EXPECT_GT(cuts, 10U);
}

// The tree is neither a chain nor a fan: depths and numbers of children vary.
TEST(DialogueGenerator, NestingVariesInDepthAndFanOut) {
    const auto dialogue = GenerateDialogue({.nodes = 5000, .seed = 2});
    std::size_t maxDepth = 0;
    std::size_t maxChildren = 0;
    std::size_t leaves = 0;
    std::set<std::size_t> depths;
    std::vector<std::pair<const DialogueNode*, std::size_t>> stack{{&dialogue->Root(), 0}};
    while (!stack.empty()) {
        const auto [node, depth] = stack.back();
        stack.pop_back();
        depths.insert(depth);
        maxDepth = std::max(maxDepth, depth);
        maxChildren = std::max(maxChildren, node->Children().size());
        leaves += node->Children().empty() ? 1 : 0;
        for (const auto& child : node->Children()) {
            stack.emplace_back(child.get(), depth + 1);
        }
    }
    EXPECT_GE(maxDepth, 10U);
    EXPECT_LE(maxDepth, 40U);
    EXPECT_EQ(depths.size(), maxDepth + 1);
    EXPECT_GE(maxChildren, 5U);
    EXPECT_GT(leaves, 1000U);
    EXPECT_LT(leaves, 4000U);
}

}  // namespace
}  // namespace tw
