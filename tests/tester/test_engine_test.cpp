#include "tester/test_engine.h"

#include <gtest/gtest.h>

#include "script/environment.h"
#include "tester/dialogue_builder.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/recording_test_display.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

std::string MissingNode(const std::string& command, const std::string& node, bool fatal) {
    return "A runtime error occurred while executing: " + command +
           "\nDescription: No such node '" + node + "' exists in the dialogue." +
           (fatal ? "\nUnable to continue." : "");
}

class TestEngineTest : public testing::Test {
protected:
    void Compile() {
        std::vector<std::string> errors;
        builder.dialogue.Compile(errors);
        ASSERT_EQ(errors, std::vector<std::string>{});
    }
    void Start() {
        Compile();
        engine.EnterNode(builder.Root());
    }
    void Select(std::size_t row) { engine.SelectResponse(row); }
    const std::vector<ShownMessage>& Boxes() const { return display.script.messages; }

    DialogueBuilder builder;
    Environment environment;
    PartySettings party;
    RandomSource random{1};
    RecordingTestDisplay display;
    TestEngine engine{builder.dialogue, environment, party, random, display};
};

TEST_F(TestEngineTest, EnteringANodeShowsItAndOffersTheResponsesThatHold) {
    builder.Root().SetText("Welcome, $name.");
    environment.Set("$name", Value("Pelgrin"));
    environment.Set("$gold", Value(3));
    builder.dialogue.Root().AppendCommand(std::make_unique<CommandFlag>(true, "kMet"));
    builder.Command(builder.Root(), "$seen = 1");
    builder.Add(builder.Root(), "A01", "Hello, $name!", "Start");
    builder.Add(builder.Root(), "A02", "Rich offer", "Start", "$gold > 5");
    builder.Add(builder.Root(), "A03", "Poor offer", "Start", "$gold < 5");
    builder.Add(builder.Root(), "A04", "Not a boolean", "Start", "$gold + 1");
    Start();
    EXPECT_EQ(display.node, "Start");
    EXPECT_EQ(display.nodeText, "Welcome, Pelgrin.");
    EXPECT_FALSE(display.nodeTextIsRich);
    const std::vector<CommandRow> commands{{kCommandFlag, "F_SET", "set kMet = TRUE"},
                                           {kCommandManual, "MANUAL", "$seen = 1"}};
    EXPECT_EQ(display.commands, commands);
    EXPECT_EQ(display.responses, (Rows{"Hello, Pelgrin!", "Poor offer"}));
    EXPECT_EQ(engine.ShownResponses().size(), 2u);
    EXPECT_TRUE(environment.Get("kMet").GetBoolean());
    EXPECT_TRUE(display.OffersResponses());
    EXPECT_TRUE(display.messages.empty());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(engine.IsNodeTextEmpty());
}

TEST_F(TestEngineTest, AddReplacesTheSameTextAndCutRemovesByTag) {
    DialogueNode& next = builder.Node("Next");
    builder.Add(builder.Root(), "A01", "Ask about rooms", "Next");
    builder.Add(builder.Root(), "A02", "Leave", "Next");
    builder.Add(builder.Root(), "A03", "Ask about ale", "Next");
    builder.Add(next, "B01", "ASK ABOUT ROOMS", "Start");
    builder.Cut(next, "a03");
    builder.Cut(next, "Z99");
    Start();
    EXPECT_EQ(display.responses, (Rows{"Ask about rooms", "Leave", "Ask about ale"}));
    Select(1);
    EXPECT_EQ(display.lastResponse, "Leave");
    EXPECT_EQ(display.node, "Next");
    EXPECT_EQ(display.responses, (Rows{"Leave", "ASK ABOUT ROOMS"}));
    EXPECT_EQ(engine.ShownResponses()[1], (OfferedResponse{"B01", "ASK ABOUT ROOMS", "Start"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TestEngineTest, GotoFromANodeWithTextWaitsForContinue) {
    DialogueNode& inn = builder.Node("Inn", "The inn.");
    builder.Command(builder.Root(), "goto Inn");
    builder.Command(builder.Root(), "set never = true");
    builder.Add(builder.Root(), "A01", "Root choice", "Start");
    builder.Add(inn, "B01", "Inn choice", "Start");
    Start();
    EXPECT_TRUE(engine.IsGotoPending());
    EXPECT_EQ(display.responses, Rows{"Continue"});
    EXPECT_FALSE(environment.IsDefined("never"));
    Select(0);
    EXPECT_EQ(display.lastResponse, "Continue");
    EXPECT_EQ(display.node, "Inn");
    EXPECT_FALSE(engine.IsGotoPending());
    // The root's responses were applied before the goto was followed.
    EXPECT_EQ(display.responses, (Rows{"Root choice", "Inn choice"}));
}

TEST_F(TestEngineTest, GotoFromABlankNodeEntersTheTargetAtOnce) {
    builder.Root().SetText("  \n ");
    DialogueNode& inn = builder.Node("Inn", "The inn.");
    builder.Command(builder.Root(), "goto inn");
    builder.Add(builder.Root(), "A01", "Root choice", "Start");
    builder.Add(inn, "B01", "Inn choice", "Start");
    Start();
    EXPECT_EQ(display.node, "Inn");
    EXPECT_EQ(engine.CurrentNode(), &inn);
    EXPECT_EQ(display.responses, (Rows{"Root choice", "Inn choice"}));
    EXPECT_FALSE(engine.IsGotoPending());
}

// Node names are looked up through an index; a tree changed since it was made is indexed
// anew, so a rename or a new node between two runs is seen.
TEST_F(TestEngineTest, GotosFollowNodesRenamedOrAddedSinceTheLastRun) {
    builder.Root().SetText("  ");
    DialogueNode& inn = builder.Node("Inn", "The inn.");
    builder.Command(builder.Root(), "goto Inn");
    Start();
    EXPECT_EQ(engine.CurrentNode(), &inn);
    inn.SetName("Tavern");
    DialogueNode& newInn = builder.Node("INN", "The new inn.");
    engine.EnterNode(builder.Root());
    EXPECT_EQ(engine.CurrentNode(), &newInn);
    EXPECT_EQ(display.node, "INN");
}

TEST_F(TestEngineTest, EndClearsTheOfferAndTheNodesOwnResponsesFollow) {
    DialogueNode& bye = builder.Node("Bye");
    builder.Add(builder.Root(), "A01", "Goodbye", "Bye");
    builder.Command(bye, "END CONVERSATION");
    builder.Add(bye, "B01", "Start over", "Start");
    Start();
    Select(0);
    EXPECT_EQ(display.messages, Rows{"*** Conversation Ended. ***"});
    EXPECT_EQ(display.responses, Rows{"Start over"});
    EXPECT_EQ(engine.ShownResponses().size(), 1u);
    // The next visit starts with an empty message list.
    Select(0);
    EXPECT_EQ(display.node, "Start");
    EXPECT_TRUE(display.messages.empty());
    EXPECT_EQ(display.responses, (Rows{"Start over", "Goodbye"}));
}

TEST_F(TestEngineTest, BranchRowZeroTakesTheFirstNodeAnyOtherRowTheSecond) {
    builder.Node("Yes", "Yes!");
    builder.Node("No", "No!");
    builder.Command(builder.Root(), "branch \"Sure, $name\"->Yes, \"Never\"->No");
    builder.Command(builder.Root(), "set never = true");
    environment.Set("$name", Value("friend"));
    Start();
    EXPECT_TRUE(engine.IsBranchArmed());
    EXPECT_EQ(display.responses, (Rows{"Sure, friend", "Never"}));
    EXPECT_FALSE(environment.IsDefined("never"));
    Select(1);
    EXPECT_EQ(display.node, "No");
    EXPECT_FALSE(engine.IsBranchArmed());
    engine.EnterNode(builder.Root());
    Select(0);
    EXPECT_EQ(display.node, "Yes");
    EXPECT_EQ(display.lastResponse, "Sure, friend");
}

TEST_F(TestEngineTest, ListEntriesAreChosenOnceAndTheLastEntryRestoresTheOffer) {
    DialogueNode& menu = builder.Node("Menu", "What would you like?");
    for (const char* name : {"Ale", "Stew", "Done"}) {
        builder.Node(name, "Here.");
    }
    builder.Add(builder.Root(), "A01", "Order", "Menu");
    builder.Add(builder.Root(), "A02", "Leave", "Start");
    builder.Command(menu, "list \"Ale\"->Ale, \"Stew\"->Stew, \"Nothing more\"->Done");
    builder.Add(menu, "M01", "Ignored while the list starts", "Start");
    Start();
    Select(0);
    EXPECT_TRUE(engine.IsListStarted());
    EXPECT_TRUE(engine.IsListActive());
    EXPECT_EQ(display.responses, (Rows{"Ale", "Stew", "Nothing more"}));
    EXPECT_EQ(engine.SavedResponses().size(), 2u);

    Select(0);  // Ale
    EXPECT_EQ(display.node, "Ale");
    EXPECT_FALSE(engine.IsListStarted());
    EXPECT_TRUE(engine.IsListActive());
    EXPECT_EQ(display.responses, (Rows{"Stew", "Nothing more"}));

    Select(1);  // the exit entry
    EXPECT_EQ(display.node, "Done");
    EXPECT_FALSE(engine.IsListActive());
    EXPECT_EQ(display.responses, (Rows{"Order", "Leave"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TestEngineTest, AListWithNoEntryOnOfferSaysSoAndKeepsTheOffer) {
    DialogueNode& menu = builder.Node("Menu", "What would you like?");
    builder.Node("Ale", "Here.");
    builder.Add(builder.Root(), "A01", "Order", "Menu");
    builder.Add(builder.Root(), "A02", "Leave", "Start");
    builder.Command(menu, "list \"Ale\"->Ale if (1 > 2) then, \"Done\"->Start if (1 > 2) then");
    builder.Add(menu, "M01", "Back", "Start");
    Start();
    Select(0);
    EXPECT_EQ(display.node, "Menu");
    EXPECT_EQ(display.messages, Rows{"no entry of the list is on offer"});
    EXPECT_FALSE(engine.IsListActive());
    EXPECT_EQ(display.responses, (Rows{"Order", "Leave", "Back"}));
    Select(2);  // a plain choice, not taken for a list entry
    EXPECT_EQ(display.node, "Start");
    EXPECT_EQ(display.responses, (Rows{"Back", "Order", "Leave"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TestEngineTest, ResponsesAddedDuringAListComeBackOnceAfterIt) {
    DialogueNode& menu = builder.Node("Menu");
    DialogueNode& ale = builder.Node("Ale");
    builder.Node("Done");
    builder.Add(builder.Root(), "A01", "Order", "Menu");
    builder.Add(builder.Root(), "A02", "Leave", "Start");
    builder.Command(menu, "list \"Ale\"->Ale, \"Nothing more\"->Done");
    // A list entry leading back to a node that offers the same choices again.
    builder.Command(ale, "goto Start");
    Start();
    Select(0);
    Select(0);  // Ale
    Select(0);  // Continue, back at Start: its choices are added again
    EXPECT_EQ(display.responses, (Rows{"Nothing more", "Order", "Leave"}));
    Select(0);
    EXPECT_FALSE(engine.IsListActive());
    EXPECT_EQ(display.responses, (Rows{"Order", "Leave"}));
    EXPECT_EQ(engine.SavedResponses().size(), 2u);
}

TEST_F(TestEngineTest, AListOfTwelveEntriesWorksEndToEnd) {
    std::string list = "list ";
    Rows choices;
    for (int i = 1; i <= 12; ++i) {
        const std::string name = "N" + std::to_string(i);
        builder.Node(name, "Entry " + std::to_string(i));
        list += "\"Choice " + std::to_string(i) + "\"->" + name + (i < 12 ? ", " : "");
        choices.push_back("Choice " + std::to_string(i));
    }
    builder.Command(builder.Root(), list);
    // A first visit makes the offer that the list puts aside.
    DialogueNode& hub = builder.Node("Hub");
    builder.Add(hub, "H01", "Before", "Start");
    Compile();
    engine.EnterNode(hub);
    engine.EnterNode(builder.Root());
    EXPECT_EQ(display.responses, choices);
    for (int i = 1; i <= 11; ++i) {
        Select(0);
        EXPECT_EQ(display.nodeText, "Entry " + std::to_string(i));
        EXPECT_EQ(display.responses.size(), static_cast<std::size_t>(12 - i));
    }
    EXPECT_EQ(display.responses, Rows{"Choice 12"});
    Select(0);
    EXPECT_EQ(display.nodeText, "Entry 12");
    EXPECT_FALSE(engine.IsListActive());
    EXPECT_EQ(display.responses, Rows{"Before"});
}

TEST_F(TestEngineTest, TypedRepliesAreTrimmedAndResumeTheNode) {
    DialogueNode& named = builder.Node("Named", "Nice to meet you.");
    builder.Command(builder.Root(), "reply $name");
    builder.Command(builder.Root(), "$greeted = 1");
    builder.Add(builder.Root(), "A01", "Hi, I am $name", "Named");
    static_cast<void>(named);
    Start();
    EXPECT_TRUE(engine.IsAwaitingReply());
    EXPECT_TRUE(display.AwaitsTypedReply());
    EXPECT_EQ(display.responses, Rows{"Hi, I am "});  // unbound when first shown
    EXPECT_FALSE(environment.IsDefined("$greeted"));

    engine.SelectResponse(std::nullopt);
    engine.EnterReply("   ");
    EXPECT_EQ(
        Boxes(),
        (std::vector<ShownMessage>{{"Error", "Please enter a response.", MessageButtons::kOk}}));
    EXPECT_EQ(display.script.kinds, std::vector<MessageKind>{MessageKind::kError});
    EXPECT_TRUE(engine.IsAwaitingReply());

    engine.EnterReply("  Ysolde  ");
    EXPECT_EQ(environment.Get("$name").GetString(), "Ysolde");
    EXPECT_EQ(environment.Get("$greeted").GetInteger(), 1);
    EXPECT_FALSE(engine.IsAwaitingReply());
    EXPECT_TRUE(display.OffersResponses());
    EXPECT_EQ(display.typedResponseClears, 1);
    // The node's responses are applied a second time after the reply.
    EXPECT_EQ(display.responses, Rows{"Hi, I am Ysolde"});
    engine.EnterReply("again");
    EXPECT_EQ(environment.Get("$name").GetString(), "Ysolde");
}

TEST_F(TestEngineTest, CommandRuntimeErrorsAskWhetherToGoOn) {
    builder.Command(builder.Root(), "$x = 1 / 0");
    builder.Command(builder.Root(), "set after = true");
    builder.Add(builder.Root(), "A01", "Still offered", "Start");
    const ShownMessage question{"Runtime Error",
                                "A runtime error occurred while executing: $x = 1 / 0\n"
                                "Description: Division by zero\nDo you want to finish executing "
                                "the remaining commands in this node?",
                                MessageButtons::kYesNo};
    display.script.answers = {MessageAnswer::kNo};
    Start();
    EXPECT_EQ(Boxes(), std::vector<ShownMessage>{question});
    EXPECT_FALSE(environment.IsDefined("after"));
    EXPECT_EQ(display.responses, Rows{"Still offered"});

    display.script.answers = {MessageAnswer::kYes};
    engine.EnterNode(builder.Root());
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_TRUE(environment.Get("after").GetBoolean());
}

TEST_F(TestEngineTest, ConditionRuntimeErrorsAskWhetherToGoOn) {
    builder.Add(builder.Root(), "A01", "Broken", "Start", "$gold / 0 > 1");
    builder.Add(builder.Root(), "A02", "Fine", "Start");
    const std::string question =
        "A runtime error occurred while evaluating response condition: $gold / 0 > 1\n"
        "Description: Division by zero\nDo you want to finish evaluating the remaining "
        "responses in this node?";
    display.script.answers = {MessageAnswer::kNo};
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], (ShownMessage{"Runtime Error", question, MessageButtons::kYesNo}));
    EXPECT_TRUE(display.responses.empty());
    display.script.answers = {MessageAnswer::kYes};
    engine.EnterNode(builder.Root());
    EXPECT_EQ(display.responses, Rows{"Fine"});
}

TEST_F(TestEngineTest, MissingNodesStopWhatNamedThem) {
    DialogueNode& gotoNode = builder.Node("G");
    DialogueNode& branchNode = builder.Node("B");
    DialogueNode& listNode = builder.Node("L");
    builder.Command(gotoNode, "goto Nowhere");
    builder.Command(branchNode, "branch \"Yes\"->G, \"No\"->Nowhere");
    builder.Command(listNode, "list \"One\"->G, \"Two\"->Nowhere, \"Back\"->Start");
    builder.Add(builder.Root(), "A01", "Lost", "Nowhere");
    for (const char* name : {"G", "B", "L"}) {
        builder.Add(builder.Root(), "", name, name);
    }
    builder.Add(builder.Root(), "", "Lost", "Nowhere");
    Start();
    EXPECT_EQ(display.responses, (Rows{"G", "B", "L", "Lost"}));
    Select(3);
    EXPECT_EQ(Boxes().back().text,
              "A runtime error occurred while executing the response.\n"
              "Description: No such node 'Nowhere' exists in the dialogue.\nUnable to continue.");
    EXPECT_TRUE(display.responses.empty());
    EXPECT_TRUE(engine.ShownResponses().empty());
    EXPECT_EQ(display.node, "Start");

    engine.EnterNode(gotoNode);
    EXPECT_EQ(Boxes().back(),
              (ShownMessage{"Runtime Error", MissingNode("goto Nowhere", "Nowhere", true),
                            MessageButtons::kOk}));
    EXPECT_TRUE(display.responses.empty());

    engine.EnterNode(branchNode);
    EXPECT_EQ(Boxes().back().text,
              MissingNode("branch \"Yes\"->G, \"No\"->Nowhere", "Nowhere", true));
    EXPECT_TRUE(display.responses.empty());
    EXPECT_FALSE(engine.IsBranchArmed());

    engine.EnterNode(listNode);
    EXPECT_EQ(Boxes().back().text,
              MissingNode("list \"One\"->G, \"Two\"->Nowhere, \"Back\"->Start", "Nowhere", true));
    EXPECT_TRUE(display.responses.empty());
    EXPECT_FALSE(engine.IsListStarted());
    EXPECT_FALSE(engine.IsListActive());
    EXPECT_EQ(Boxes().size(), 4u);
    // Nothing is offered, so nothing can be chosen.
    Select(0);
    EXPECT_EQ(display.node, "L");
}

TEST_F(TestEngineTest, AThousandNodesWithoutInputStopTheRun) {
    // Start (blank) -> N1 -> ... -> N999: a chain of exactly 1000 entries is fine.
    builder.Root().SetText("");
    DialogueNode* previous = &builder.Root();
    for (int i = 1; i <= 1000; ++i) {
        const std::string name = "N" + std::to_string(i);
        DialogueNode& node = builder.Node(name, i == 999 ? "The end of the road." : "");
        builder.Command(*previous, "goto " + name);
        previous = &node;
    }
    Start();
    EXPECT_EQ(display.node, "N999");
    EXPECT_EQ(display.responses, Rows{"Continue"});
    EXPECT_TRUE(Boxes().empty());

    // With N999 blank, the goto in N999 would make the 1001st entry.
    builder.dialogue.FindNodeByName("N999")->SetText("");
    engine.EnterNode(builder.Root());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0],
              (ShownMessage{"Runtime Error",
                            "A runtime error occurred while executing: goto N1000\n"
                            "Description: 1000 nodes were entered one after another without "
                            "any input from the user; the gotos between nodes without text go "
                            "round in a loop.\nUnable to continue.",
                            MessageButtons::kOk}));
    EXPECT_EQ(display.node, "N999");
    EXPECT_TRUE(display.responses.empty());
}

TEST_F(TestEngineTest, AGotoLoopThroughBlankNodesStops) {
    builder.Root().SetText("");
    DialogueNode& ping = builder.Node("Ping", " ");
    builder.Command(builder.Root(), "goto Ping");
    builder.Command(ping, "goto Start");
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.rfind("A runtime error occurred while executing: goto ", 0), 0u);
    EXPECT_TRUE(display.responses.empty());
    // The count starts again with every input.
    engine.EnterNode(builder.Root());
    EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(TestEngineTest, SubstitutionWarningsOfTheVisitAreListed) {
    builder.Root().SetText("Hi $who. You rolled $rand.");
    environment.Set("$randmax", Value(6));
    builder.Add(builder.Root(), "A01", "Thanks, $nobody", "Start");
    Start();
    // One draw per command and per reference; here: the text's $rand draws 41 % 6 + 1.
    EXPECT_EQ(display.nodeText, "Hi . You rolled 6.");
    EXPECT_EQ(display.messages,
              (Rows{"WARNING: Unbound variable $who in node text.  Replaced with empty string.",
                    "WARNING: Unbound variable $nobody in node text.  Replaced with empty "
                    "string."}));
}

}  // namespace
}  // namespace tw
