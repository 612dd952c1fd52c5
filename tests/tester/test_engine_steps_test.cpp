#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "script/environment.h"
#include "tester/dialogue_builder.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/recording_test_display.h"
#include "tester/run_step.h"
#include "tester/test_engine.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

// Everything a user sees of a run, and its environment, in one comparable text.
std::string Screen(const RecordingTestDisplay& display, const Environment& environment) {
    std::string s = "node=" + display.node + "|last=" + display.lastResponse +
                    "|text=" + display.nodeText + "|rows=";
    for (const auto& row : display.responses)
        s += row + ";";
    s += "|messages=";
    for (const auto& message : display.messages)
        s += message + ";";
    s += "|commands=" + std::to_string(display.commands.size());
    s += display.AwaitsTypedReply() ? "|reply" : "|choose";
    s += "|env=";
    for (const auto& [name, value] : environment)
        s += name + "=" + value.ToString() + ";";
    return s;
}

// A shop: the root counts visits and offers two ways, one of which asks for a name, the
// other runs a list; random numbers show in the text.
class EngineStepsTest : public testing::Test {
protected:
    void SetUp() override {
        DialogueNode& root = builder.Root();
        root.SetText("Visit $visits, roll $RAND.");
        builder.Command(root, "$visits = $visits + 1");
        builder.Add(root, "A01", "Name yourself", "Ask");
        builder.Add(root, "A02", "Browse", "Shop");
        builder.Add(root, "A03", "Leave", "Bye", "$visits > 1");
        DialogueNode& ask = builder.Node("Ask", "Who are you?");
        builder.Command(ask, "reply $who");
        builder.Command(ask, "$named = 1");
        builder.Add(ask, "B01", "Back to the start", "Start");
        DialogueNode& shop = builder.Node("Shop", "Wares.");
        builder.Command(shop, "list \"Ale\"->Ale, \"Done\"->Start");
        DialogueNode& ale = builder.Node("Ale", "An ale, $who.");
        builder.Command(ale, "$ales = $ales + 1");
        builder.Node("Bye", "Farewell.");
        std::vector<std::string> errors;
        builder.dialogue.Compile(errors);
        ASSERT_EQ(errors, Rows{});
        environment.Set("$visits", Value(0));
        environment.Set("$ales", Value(0));
        environment.Set("$randmax", Value(1000));
        engine.EnterNode(root);
    }
    std::string Now() const { return Screen(display, environment); }

    DialogueBuilder builder;
    Environment environment;
    PartySettings party;
    RandomSource random{7};
    RecordingTestDisplay display;
    TestEngine engine{builder.dialogue, environment, party, random, display};
};

TEST_F(EngineStepsTest, StepBackRestoresEachEarlierMomentExactly) {
    std::vector<std::string> before;
    std::vector<std::function<void()>> inputs = {
        [&] { engine.SelectResponse(0); },      // Name yourself
        [&] { engine.EnterReply("  Orla "); },  // typed reply
        [&] { engine.SelectResponse(0); },      // Back to the start
        [&] { engine.SelectResponse(1); },      // Browse: the list starts
        [&] { engine.SelectResponse(0); },      // Ale
    };
    for (auto& input : inputs) {
        before.push_back(Now());
        input();
    }
    ASSERT_EQ(engine.Steps().size(), 5u);
    EXPECT_EQ(engine.Steps()[1].choice, "Orla");
    EXPECT_EQ(engine.Steps()[1].nodeName, "Ask");
    EXPECT_EQ(display.nodeText, "An ale, Orla.");
    for (std::size_t i = before.size(); i-- > 0;) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(engine.StepBack());
        EXPECT_EQ(Now(), before[i]);
        EXPECT_EQ(engine.Steps().size(), i);
    }
    EXPECT_FALSE(engine.StepBack());
    EXPECT_FALSE(environment.IsDefined("$who"));
    EXPECT_EQ(environment.Get("$visits").ToString(), "1");
}

TEST_F(EngineStepsTest, ARunContinuesAfterAStepBackAsIfTheChoiceWasNeverMade) {
    auto play = [&](bool detour) {
        std::vector<std::string> screens;
        engine.SelectResponse(1);  // Browse
        if (detour) {
            engine.SelectResponse(0);  // Ale, then undone
            engine.SelectResponse(0);  // Done
            EXPECT_EQ(environment.Get("$visits").ToString(), "2");
            EXPECT_TRUE(engine.StepBackTo(engine.Steps().size() - 2));
        }
        for (std::size_t row : {1u, 2u}) {  // Done, then Leave (second visit)
            engine.SelectResponse(row);
            screens.push_back(Now());
        }
        return screens;
    };
    const auto detoured = play(true);
    // The same run again from the very start, without the detour.
    ASSERT_TRUE(engine.StepBackTo(0));
    EXPECT_TRUE(engine.Steps().empty());
    const auto straight = play(false);
    EXPECT_EQ(detoured, straight);
    EXPECT_EQ(display.node, "Bye");
    EXPECT_EQ(environment.Get("$ales").ToString(), "0");
}

TEST_F(EngineStepsTest, StepBackToAnEntryForgetsTheLaterOnesAndChecksTheIndex) {
    engine.SelectResponse(1);
    engine.SelectResponse(0);
    engine.SelectResponse(0);
    ASSERT_EQ(engine.Steps().size(), 3u);
    EXPECT_EQ(engine.Steps()[0].nodeName, "Start");
    EXPECT_EQ(engine.Steps()[0].choice, "Browse");
    EXPECT_FALSE(engine.StepBackTo(3));
    ASSERT_TRUE(engine.StepBackTo(1));
    EXPECT_EQ(engine.Steps().size(), 1u);
    EXPECT_EQ(display.node, "Shop");
    EXPECT_EQ(display.responses, (Rows{"Ale", "Done"}));
    EXPECT_TRUE(engine.IsListActive());
    // An empty reply or a row out of range is no step.
    engine.SelectResponse(9);
    EXPECT_EQ(engine.Steps().size(), 1u);
}

TEST_F(EngineStepsTest, SilentCommandsChangeOnlyTheEnvironment) {
    DialogueNode& setup = builder.Node("Setup", "never shown");
    builder.Command(setup, "$gold = 5");
    builder.Command(setup, "$broken = $gold / 0");
    builder.Command(setup, "$after = 1");
    builder.Command(setup, "reply $name");
    builder.Command(setup, "goto Bye");
    builder.Command(setup, "$last = 1");
    std::vector<std::string> errors;
    builder.dialogue.Compile(errors);
    ASSERT_EQ(errors, Rows{});
    const std::string shown = display.nodeText;
    engine.RunCommandsSilently(setup);
    EXPECT_EQ(environment.Get("$gold").ToString(), "5");
    EXPECT_TRUE(environment.IsDefined("$after"));
    EXPECT_TRUE(environment.IsDefined("$last"));
    EXPECT_FALSE(environment.IsDefined("$broken"));
    EXPECT_FALSE(engine.IsAwaitingReply());
    EXPECT_EQ(display.nodeText, shown);
    EXPECT_EQ(display.node, "Start");
    EXPECT_TRUE(display.script.messages.empty());
}

TEST(EnvironmentJournalTest, RollBackUndoesStoresErasuresClearsAndAssignments) {
    Environment environment;
    environment.Set("Flag", Value(true));
    EnvironmentJournal journal;
    environment.SetJournal(&journal);
    environment.Erase("FLAG");
    environment.Erase("$absent");
    EXPECT_TRUE(environment.empty());
    EXPECT_EQ(journal.size(), 1u);
    environment.RollBack(journal, 0);
    environment.Set("flag", Value(false));
    environment.Set("$new", Value(1));
    environment.SetDefault("$new", Value(2));
    environment.SetDefault("$other", Value(3));
    Environment replacement;
    replacement.Set("$only", Value(4));
    environment = replacement;
    environment.Clear();
    environment.Set("FLAG", Value(5));
    EXPECT_EQ(replacement.size(), 1u);  // the copy source kept no journal of its own
    environment.RollBack(journal, 2);
    ASSERT_EQ(environment.size(), 2u);
    EXPECT_FALSE(environment.IsDefined("$other"));
    environment.RollBack(journal, 0);
    ASSERT_EQ(environment.size(), 1u);
    EXPECT_EQ(environment.begin()->first, "Flag");
    EXPECT_TRUE(environment.Get("Flag").GetBoolean());
    EXPECT_TRUE(journal.empty());
    environment.SetJournal(nullptr);
    environment.Set("$later", Value(1));
    EXPECT_TRUE(journal.empty());
}

}  // namespace
}  // namespace tw
