// What the tester's transcripts can't show: the kind of each message box, and node lookups
// after the tree changed between runs. Everything a player sees is covered by the
// recordings in tests/cli/data/recordings.

#include "tester/test_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "script/environment.h"
#include "support/dialogue_builder.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/scripted_message_boxes.h"
#include "tester/test_display.h"
#include "tester/test_session.h"

namespace tw {
namespace {

// Test double of the tester window: keeps the node shown and the controls enabled, records
// the message boxes and answers them from a queue.
class RecordingTestDisplay : public TestDisplay {
public:
    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override {
        return script.Show(kind, caption, text, buttons);
    }
    void SetField(TestField field, const std::string& text) override {
        if (field == TestField::kNode) {
            node = text;
        }
    }
    void SetNodeText(const std::string&, bool) override {}
    void ClearCommands() override {}
    void AddCommand(const CommandRow&) override {}
    void ClearResponses() override {}
    void AddResponse(const std::string&) override {}
    void ClearMessages() override {}
    void AddMessage(const std::string&) override {}
    void EnableControl(TestControl control, bool isEnabled) override {
        enabled[control] = isEnabled;
    }
    void ClearTypedResponse() override { ++typedResponseClears; }

    MessageScript script;
    std::string node;
    std::map<TestControl, bool> enabled;
    int typedResponseClears = 0;
};

class NoStateEditor : public StateEditorHost {
public:
    void RunStateEditor(Environment&, bool) override {}
};

// The terminal shows only whether a reply is awaited; the window also switches the typed
// edit and the response list, and empties the edit after each reply.
TEST(TestEngineTest, ReplyModeSwitchesTheControlsAndRefusalsAreErrors) {
    DialogueBuilder builder;
    AddScript(builder.Root(), "reply $name");
    PartySettings party;
    RandomSource random{1};
    RecordingTestDisplay display;
    NoStateEditor stateEditor;
    TestSession session(builder.dialogue, party, random, display, stateEditor);
    ASSERT_TRUE(session.CompileErrors().empty());
    const auto controls = [&display] {
        return std::vector<bool>{display.enabled.at(TestControl::kEnter),
                                 display.enabled.at(TestControl::kTypedResponse),
                                 display.enabled.at(TestControl::kResponses),
                                 display.enabled.at(TestControl::kSelectResponse)};
    };
    session.Start();
    EXPECT_EQ(controls(), (std::vector<bool>{true, true, false, false}));
    session.Engine().EnterReply("   ");
    EXPECT_EQ(display.typedResponseClears, 0);
    session.Engine().EnterReply("Ysolde");
    EXPECT_EQ(controls(), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(display.typedResponseClears, 1);
    display.script.answers = {MessageAnswer::kNo};
    EXPECT_FALSE(session.QuitTest());
    EXPECT_EQ(display.script.kinds,
              (std::vector<MessageKind>{MessageKind::kError, MessageKind::kQuestion}));
}

// Node names are looked up through an index; a tree changed since it was made is indexed
// anew, so a rename or a new node between two runs is seen.
TEST(TestEngineTest, GotosFollowNodesRenamedOrAddedSinceTheLastRun) {
    DialogueBuilder builder("  ");
    DialogueNode& inn = builder.Node("Inn", "The inn.");
    AddScript(builder.Root(), "goto Inn");
    std::vector<std::string> errors;
    builder.dialogue.Compile(errors);
    Environment environment;
    PartySettings party;
    RandomSource random{1};
    RecordingTestDisplay display;
    TestEngine engine{builder.dialogue, environment, party, random, display};
    engine.EnterNode(builder.Root());
    EXPECT_EQ(engine.CurrentNode(), &inn);
    inn.SetName("Tavern");
    DialogueNode& newInn = builder.Node("INN", "The new inn.");
    engine.EnterNode(builder.Root());
    EXPECT_EQ(engine.CurrentNode(), &newInn);
    EXPECT_EQ(display.node, "INN");
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
