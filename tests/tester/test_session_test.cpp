#include "tester/test_session.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tester/dialogue_builder.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/recording_test_display.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

class RecordingStateEditorHost : public StateEditorHost {
public:
    void RunStateEditor(Environment& environment, bool loadDefaultState) override {
        calls.push_back(loadDefaultState);
        if (edit) {
            edit(environment);
        }
    }

    std::vector<bool> calls;
    std::function<void(Environment&)> edit;
};

class TestSessionTest : public testing::Test {
protected:
    void SetUp() override {
        DialogueNode& inn = builder.Node("Inn", "The inn.");
        builder.Node("Cellar", "The cellar.");
        builder.Add(builder.Root(), "A01", "To the inn", "Inn");
        builder.Add(builder.Root(), "A02", "Stay", "Start");
        builder.Add(inn, "B01", "Back", "Start");
        session =
            std::make_unique<TestSession>(builder.dialogue, party, random, display, stateEditor);
        ASSERT_TRUE(session->CompileErrors().empty());
    }
    const std::vector<ShownMessage>& Boxes() const { return display.script.messages; }

    DialogueBuilder builder{"Hello, $P1."};
    PartySettings party;
    RandomSource random{1};
    RecordingTestDisplay display;
    RecordingStateEditorHost stateEditor;
    std::unique_ptr<TestSession> session;
};

TEST_F(TestSessionTest, StartSeedsThePartyRunsTheStateEditorAndEntersTheRoot) {
    stateEditor.edit = [](Environment& environment) {
        EXPECT_EQ(environment.Get("$PartySize").GetInteger(), 6);
        environment.Set("$PartySize", Value(2));
        environment.Set("$P1", Value("Ysolde"));
    };
    session->Start();
    EXPECT_EQ(stateEditor.calls, std::vector<bool>{true});
    EXPECT_EQ(party.partySize, 2);
    EXPECT_EQ(party.names[0], "Ysolde");
    EXPECT_FALSE(party.alive[0]);  // no flag "WaliveYsolde"
    EXPECT_EQ(display.node, "Start");
    EXPECT_EQ(display.nodeText, "Hello, Ysolde.");
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay"}));
    EXPECT_TRUE(display.OffersResponses());
}

TEST_F(TestSessionTest, CustomGotoEntersAtOnceOrReportsWithoutStopping) {
    session->Start();
    session->ExecuteCustomCommand("goto Inn");
    EXPECT_EQ(display.node, "Inn");
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay", "Back"}));
    session->ExecuteCustomCommand("goto Nowhere");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], (ShownMessage{"Runtime Error",
                                        "A runtime error occurred while executing: goto "
                                        "Nowhere\nDescription: No such node 'Nowhere' exists "
                                        "in the dialogue.",
                                        MessageButtons::kOk}));
    EXPECT_EQ(display.node, "Inn");
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay", "Back"}));
}

TEST_F(TestSessionTest, CustomStatementsChangeTheEnvironmentOnly) {
    session->Start();
    const Rows before = display.responses;
    session->ExecuteCustomCommand("set kMet = true");
    session->ExecuteCustomCommand("");
    session->ExecuteCustomCommand("   ");
    EXPECT_TRUE(session->GetEnvironment().Get("kMet").GetBoolean());
    EXPECT_EQ(display.responses, before);
    EXPECT_TRUE(Boxes().empty());

    session->ExecuteCustomCommand("set x = @@@");
    session->ExecuteCustomCommand("$y = 1 / 0");
    const std::vector<ShownMessage> expected{
        {"Syntax Error", "Syntax Error: Invalid operator: @@@", MessageButtons::kOk},
        {"Runtime Error",
         "A runtime error occurred while executing: $y = 1 / 0\nDescription: Division by zero",
         MessageButtons::kOk}};
    EXPECT_EQ(Boxes(), expected);
    EXPECT_FALSE(session->GetEnvironment().IsDefined("$y"));
    EXPECT_EQ(display.responses, before);
}

TEST_F(TestSessionTest, CustomBranchOrListToAMissingNodeKeepsTheOffer) {
    session->Start();
    session->ExecuteCustomCommand("branch \"Yes\"->Inn, \"No\"->Nowhere");
    session->ExecuteCustomCommand("list \"One\"->Inn, \"Two\"->Nowhere, \"Back\"->Start");
    const std::vector<ShownMessage> expected{
        {"Runtime Error",
         "A runtime error occurred while executing: branch\nDescription: No such node "
         "'Nowhere' exists in the dialogue.",
         MessageButtons::kOk},
        {"Runtime Error",
         "A runtime error occurred while executing: list\nDescription: No such node 'Nowhere' "
         "exists in the dialogue.",
         MessageButtons::kOk}};
    EXPECT_EQ(Boxes(), expected);
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay"}));
    EXPECT_FALSE(session->Engine().IsBranchArmed());
    EXPECT_FALSE(session->Engine().IsListActive());
    EXPECT_EQ(session->Engine().ShownResponses().size(), 2u);
    session->Engine().SelectResponse(0);
    EXPECT_EQ(display.node, "Inn");
}

TEST_F(TestSessionTest, CustomBranchListEndAndReplyAct) {
    session->Start();
    session->ExecuteCustomCommand("branch \"Up\"->Inn, \"Down\"->Cellar");
    EXPECT_TRUE(session->Engine().IsBranchArmed());
    EXPECT_EQ(display.responses, (Rows{"Up", "Down"}));
    session->Engine().SelectResponse(1);
    EXPECT_EQ(display.node, "Cellar");

    session->ExecuteCustomCommand("list \"Inn\"->Inn, \"Done\"->Start");
    EXPECT_TRUE(session->Engine().IsListActive());
    EXPECT_EQ(display.responses, (Rows{"Inn", "Done"}));
    session->Engine().SelectResponse(1);
    EXPECT_FALSE(session->Engine().IsListActive());
    EXPECT_EQ(display.node, "Start");

    session->ExecuteCustomCommand("end conversation");
    EXPECT_EQ(display.messages, Rows{"*** Conversation Ended. ***"});
    EXPECT_TRUE(display.responses.empty());

    session->ExecuteCustomCommand("reply $answer");
    EXPECT_TRUE(display.AwaitsTypedReply());
    session->Engine().EnterReply("forty-two");
    EXPECT_EQ(session->GetEnvironment().Get("$answer").GetString(), "forty-two");
    EXPECT_TRUE(display.OffersResponses());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TestSessionTest, ATypedReplyResumesAfterTheNodesOwnReplyCommand) {
    DialogueNode& ask = builder.Node("Ask", "Your name?");
    builder.Command(ask, "reply $name");
    builder.Command(ask, "set after = true");
    session = std::make_unique<TestSession>(builder.dialogue, party, random, display, stateEditor);
    session->Start();
    session->ExecuteCustomCommand("goto Ask");
    session->Engine().EnterReply("Ysolde");
    EXPECT_TRUE(session->GetEnvironment().Get("after").GetBoolean());
    // A typed reply command keeps the node's own: its followers run again.
    session->ExecuteCustomCommand("set after = false");
    session->ExecuteCustomCommand("reply $other");
    session->Engine().EnterReply("Ebbo");
    EXPECT_EQ(session->GetEnvironment().Get("$other").GetString(), "Ebbo");
    EXPECT_TRUE(session->GetEnvironment().Get("after").GetBoolean());
    // In another node those commands are not found, and nothing runs.
    session->ExecuteCustomCommand("goto Inn");
    session->ExecuteCustomCommand("set after = false");
    session->ExecuteCustomCommand("reply $other");
    session->Engine().EnterReply("Farrow");
    EXPECT_FALSE(session->GetEnvironment().Get("after").GetBoolean());
    EXPECT_EQ(display.node, "Inn");
}

TEST_F(TestSessionTest, RestartKeepsTheEnvironmentAndStartsAfresh) {
    session->Start();
    session->Engine().SelectResponse(0);
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay", "Back"}));
    session->ExecuteCustomCommand("set kMet = true");
    session->RestartDialogue();
    EXPECT_EQ(display.node, "Start");
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay"}));
    EXPECT_TRUE(session->GetEnvironment().Get("kMet").GetBoolean());
}

TEST_F(TestSessionTest, RestartEndsListModeAndAnEmptyCustomListChangesNothing) {
    session->Start();
    session->ExecuteCustomCommand("list \"Inn\"->Inn if (1 > 2) then");
    EXPECT_EQ(display.messages, Rows{"no entry of the list is on offer"});
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay"}));
    session->ExecuteCustomCommand("list \"Cellar\"->Cellar, \"Done\"->Start");
    EXPECT_TRUE(session->Engine().IsListActive());
    session->RestartDialogue();
    EXPECT_FALSE(session->Engine().IsListActive());
    session->Engine().SelectResponse(0);
    EXPECT_EQ(display.node, "Inn");
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay", "Back"}));
}

TEST_F(TestSessionTest, StepBackReadsThePartyBackFromTheRestoredEnvironment) {
    session->Start();
    session->Engine().SelectResponse(0);
    stateEditor.edit = [](Environment& environment) {
        environment.Set("$PartySize", Value(1));
        environment.Set("$P2", Value("Grusk"));
    };
    session->ViewEnvironmentState();
    ASSERT_EQ(party.partySize, 1);
    session->Engine().SelectResponse(2);  // Back
    EXPECT_TRUE(session->StepBackTo(0));
    EXPECT_EQ(display.node, "Start");
    EXPECT_EQ(party.partySize, 6);
    EXPECT_EQ(party.names[1], "Ebbo");
    EXPECT_FALSE(session->StepBack());
}

TEST_F(TestSessionTest, ViewingTheStateSyncsThePartyButLeavesTheDisplay) {
    session->Start();
    const std::string text = display.nodeText;
    stateEditor.edit = [](Environment& environment) {
        environment.Set("$PartySize", Value(1));
        environment.Set("$time", Value(3000));
    };
    session->ViewEnvironmentState();
    EXPECT_EQ(stateEditor.calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(party.partySize, 1);
    EXPECT_EQ(party.time, 2400);
    EXPECT_EQ(display.nodeText, text);
    EXPECT_EQ(display.responses, (Rows{"To the inn", "Stay"}));
}

TEST_F(TestSessionTest, QuitAsksFirst) {
    session->Start();
    display.script.answers = {MessageAnswer::kNo, MessageAnswer::kYes};
    EXPECT_FALSE(session->QuitTest());
    EXPECT_TRUE(session->QuitTest());
    const ShownMessage question{"Warning", "Are you sure you want to end the test?",
                                MessageButtons::kYesNo};
    EXPECT_EQ(Boxes(), (std::vector<ShownMessage>{question, question}));
    EXPECT_EQ(display.script.kinds,
              (std::vector<MessageKind>{MessageKind::kQuestion, MessageKind::kQuestion}));
    EXPECT_EQ(display.node, "Start");
}

}  // namespace
}  // namespace tw
