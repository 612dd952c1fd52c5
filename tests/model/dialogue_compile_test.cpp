#include "model/dialogue_compile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/command_kinds.h"

namespace tw {
namespace {

std::vector<CompileProgress> CompileRecording(Dialogue& dialogue,
                                              std::vector<std::string>* messages = nullptr) {
    std::vector<CompileProgress> steps;
    std::vector<std::string> found =
        CompileDialogue(dialogue, [&steps](const CompileProgress& step) { steps.push_back(step); });
    if (messages != nullptr) {
        *messages = std::move(found);
    }
    return steps;
}

// Messages and progress of small dialogues are cases in check/cases/findings.jsonl.

TEST(DialogueCompile, PercentIsAFloatingPointRatioTruncated) {
    struct Case {
        std::size_t compiled, total;
        int percent;
    };
    const Case cases[] = {
        {0, 5, 0},     {1, 3, 33},  {2, 3, 66},    {3, 3, 100},
        {1, 7, 14},    {6, 7, 85},  {57, 100, 56},  // 0.57 * 100 is just below 57 in floating point
        {29, 29, 100}, {1, 1, 100}, {0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((CompileProgress{c.compiled, c.total, 0}.Percent()), c.percent)
            << c.compiled << "/" << c.total;
    }
}

TEST(DialogueCompile, DeepTreeCompilesEveryNodeAndEndsAtOneHundred) {
    constexpr int kDepth = 100000;
    Dialogue dialogue;
    DialogueNode* parent = &dialogue.Root();
    for (int id = 1; id <= kDepth; ++id) {
        parent = &dialogue.AppendNode(*parent, id, "n" + std::to_string(id));
        parent->AppendCommand(std::make_unique<CommandGoto>("n1"));
    }
    parent->AppendCommand(std::make_unique<CommandManual>("$n = 1.2.3"));
    std::vector<std::string> messages;
    const std::vector<CompileProgress> steps = CompileRecording(dialogue, &messages);
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(kDepth) + 1);
    int previous = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        ASSERT_EQ(steps[i].compiled, i + 1);
        ASSERT_GE(steps[i].Percent(), previous);
        previous = steps[i].Percent();
    }
    EXPECT_EQ(steps.back().Percent(), 100);
    EXPECT_EQ(steps[steps.size() - 2].Percent(), 99);
    EXPECT_EQ(messages, std::vector<std::string>{"NODE n100000: Syntax Error: $n = 1.2.3: Invalid "
                                                 "numeric constant: 1.2.3"});
}

}  // namespace
}  // namespace tw
