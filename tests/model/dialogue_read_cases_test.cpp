// Runs every case of tests/model/read_cases through the readers. In NAME.jsonl every line is
// a document (but blank lines and "#" comments); NAME.jsonl.expected holds "LINE: ANSWER" for
// each, ANSWER being the reader's message or an outline of what it read; both JSON readers
// must agree on each line. NAME.vrx is a dialogue file; NAME.vrx.expected is its JSON form
// once read, or the reader's message.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "json_readers_agree.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "model/tree_depth.h"
#include "model/tree_walk.h"
#include "support/expected_file.h"
#include "support/line_cases.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path kCaseDir = fs::path(TW_SOURCE_DIR) / "tests" / "model" / "read_cases";

// What a read document holds, short: the NPC, the next id and each node's depth, id and name.
std::string Outline(const Dialogue& dialogue) {
    std::string outline =
        "read: " + dialogue.Npc().name + ", next id " + std::to_string(dialogue.GetNextNodeId());
    ForEachPreOrder(dialogue.Root(), [&outline](const DialogueNode& node) {
        outline += " | " + std::to_string(LevelsAbove(node)) + " " + std::to_string(node.GetId()) +
                   " " + node.GetName();
    });
    return outline;
}

// One JSON document a line: its outline, or the reader's error.
std::string AnswerPerLine(const std::string& text) {
    return test::AnswerEachLine(text, [](const std::string& line) {
        Dialogue dialogue;
        const std::optional<std::string> error = DialogueFromJson(line, dialogue);
        const std::string fast = test::ExpectSameReading(line) ? " (fast)" : "";
        return (error ? *error : Outline(dialogue) + fast) + "\n";
    });
}

// Whether writing gives back the very bytes read (old versions and stray bytes do not),
// and that what is written reads again as the current version.
std::string FileAnswer(const std::string& bytes) {
    Dialogue dialogue;
    if (const std::optional<std::string> error = dialogue.Read(bytes)) {
        return "error: " + *error + "\n";
    }
    EXPECT_FALSE(dialogue.IsModified());
    EXPECT_FALSE(dialogue.IsScratch());
    const std::string written = dialogue.Write();
    Dialogue again;
    EXPECT_EQ(again.Read(written), std::nullopt);
    EXPECT_EQ(again.GetFileVersion(), kCurrentFileVersion);
    EXPECT_EQ(again.Write(), written);
    return DialogueToJson(dialogue) +
           (written == bytes ? "written back as read\n" : "written back otherwise\n");
}

class JsonCaseTest : public testing::TestWithParam<std::string> {};

TEST_P(JsonCaseTest, MatchesExpectedOutput) {
    const fs::path input = kCaseDir / GetParam();
    const std::string text = test::ReadBytes(input.string());
    const std::string extension = input.extension().string();
    test::ExpectMatchesFile(extension == ".jsonl" ? AnswerPerLine(text) : FileAnswer(text),
                            input.string() + ".expected");
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonCaseTest,
                         testing::ValuesIn(test::FileNamesIn(kCaseDir, {".jsonl", ".vrx"})),
                         test::CaseFileTestName);

}  // namespace
}  // namespace tw
