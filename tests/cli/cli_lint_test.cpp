#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "model/check/dialogue_check.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

using test::Outcome;
using test::RunCommand;
using tw::test::TempDir;
using tw::test::WriteBytes;

Outcome Lint(std::vector<std::string_view> args) {
    return RunCommand(RunLintCommand, std::move(args));
}

// Greet goes to a node that is not there; Shop is reached by a response whose condition
// reads a flag nothing sets.
void WriteBrokenDialogue(const std::string& path) {
    Dialogue dialogue;
    DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greet", "greets");
    dialogue.AppendNode(dialogue.Root(), 2, "Shop", "");
    dialogue.Root().AppendCommand(std::make_unique<CommandGoto>("Greet"));
    greet.AppendCommand(std::make_unique<CommandGoto>("Smithy"));
    auto add = std::make_unique<NodeResponseAdd>("A01");
    add->SetGotoNode("Shop");
    add->SetCondition(std::make_unique<Conditional>("kKnown"));
    greet.AppendResponse(std::move(add));
    WriteBytes(path, dialogue.Write());
}

// Only a note: a variable read in the node text.
void WriteNoteOnlyDialogue(const std::string& path) {
    Dialogue dialogue;
    dialogue.Root().SetText("You have $coins coins.");
    WriteBytes(path, dialogue.Write());
}

TEST(LintCommand, TextLinesAndExitStatus) {
    TempDir dir;
    const std::string broken = dir / "broken.vrx";
    const std::string notes = dir / "notes.vrx";
    WriteBrokenDialogue(broken);
    WriteNoteOnlyDialogue(notes);
    const Outcome outcome = Lint({broken, notes});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, broken +
                               ": Greet [greets]: error: goto leads to node \"Smithy\", which this "
                               "dialogue does not have [missing-node]\n" +
                               broken +
                               ": Greet [greets]: note: flag \"kKnown\" is read but never set "
                               "[unset-name]\n" +
                               notes +
                               ": Initialization Node: note: variable \"$coins\" is read but never "
                               "set [unset-name]\n");
    EXPECT_EQ(Lint({notes}).status, 0);  // notes alone pass a build
}

TEST(LintCommand, DisabledRulesAreLeftOut) {
    TempDir dir;
    const std::string broken = dir / "broken.vrx";
    WriteBrokenDialogue(broken);
    const Outcome outcome = Lint({"--disable", "missing-node", broken, "--disable", "unset-name"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
}

TEST(LintCommand, UnreadableFilesFailButTheOthersAreLinted) {
    TempDir dir;
    WriteBytes(dir / "junk.vrx", "junk");
    WriteNoteOnlyDialogue(dir / "notes.vrx");
    const Outcome outcome = Lint({dir / "junk.vrx", dir / "notes.vrx"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, dir / "junk.vrx" + ": This is not a valid VRX file.\n");
    EXPECT_NE(outcome.out.find("$coins"), std::string::npos);
}

TEST(LintCommand, JsonHoldsEveryFindingOfTheCheck) {
    TempDir dir;
    const std::string broken = dir / "broken.vrx";
    WriteBrokenDialogue(broken);
    const Outcome outcome = Lint({"--format", "json", broken});
    EXPECT_EQ(outcome.status, 1);
    const nlohmann::json document = nlohmann::json::parse(outcome.out);
    Dialogue dialogue;
    ASSERT_FALSE(dialogue.Load(broken).has_value());
    const std::vector<Finding> expected = CheckDialogue(dialogue);
    ASSERT_EQ(document["files"].size(), 1U);
    EXPECT_EQ(document["files"][0]["path"], broken);
    const nlohmann::json& findings = document["files"][0]["findings"];
    ASSERT_EQ(findings.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(findings[i]["rule"], expected[i].rule);
        EXPECT_EQ(findings[i]["severity"], std::string(SeverityName(expected[i].severity)));
        EXPECT_EQ(findings[i]["nodeId"], expected[i].nodeId);
        EXPECT_EQ(findings[i]["item"], std::string(ItemKindName(expected[i].item)));
        EXPECT_EQ(findings[i]["index"], expected[i].index);
        EXPECT_EQ(findings[i]["message"], expected[i].message);
    }
    EXPECT_EQ(document["counts"]["errors"], 1);
    EXPECT_EQ(document["counts"]["warnings"], 0);
    EXPECT_EQ(document["counts"]["notes"], 1);
}

TEST(LintCommand, JsonKeepsAccentedNamesReadable) {
    TempDir dir;
    Dialogue dialogue;
    dialogue.Root().AppendCommand(std::make_unique<CommandGoto>("Caf\xE9"));
    WriteBytes(dir / "cafe.vrx", dialogue.Write());
    const Outcome outcome = Lint({"--format", "json", dir / "cafe.vrx"});
    const nlohmann::json document = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(document["files"][0]["findings"][0]["message"],
              "goto leads to node \"Caf\xC3\xA9\", which this dialogue does not have");
}

}  // namespace
}  // namespace tw::cli
