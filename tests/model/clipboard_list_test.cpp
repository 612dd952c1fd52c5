#include "model/clipboard_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/expected_file.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path kCaseDir = fs::path(TW_SOURCE_DIR) / "tests" / "model" / "clipboard_cases";

std::string Describe(const NodeCommand& command) {
    const auto* reply = dynamic_cast<const CommandReply*>(&command);
    const auto* go = dynamic_cast<const CommandGoto*>(&command);
    return std::to_string(command.GetType()) + " " + command.GetTypeName() + " | " +
           command.GetScriptText() + (reply ? " | variable " + reply->GetVariable() : "") +
           (go ? " | node " + go->GetNode() : "");
}

std::string Describe(const NodeResponse& response) {
    const auto* add = dynamic_cast<const NodeResponseAdd*>(&response);
    const auto* cut = dynamic_cast<const NodeResponseCut*>(&response);
    return std::to_string(response.GetType()) + " [" + response.GetTag() + "]" +
           (response.HasCondition() ? " if " + response.GetCondition()->GetExpression() : "") +
           (add ? " [" + add->GetPlayerText() + "] -> [" + add->GetGotoNode() + "]" : "") +
           (cut ? " cuts [" + cut->GetCutTag() + "] [" + cut->GetCutText() + "]" : "");
}

// What a paste of the archive gives: each element, and whether copying them again gives the
// very bytes; or why nothing is pasted.
template <typename List>
std::string Paste(const std::string& bytes) {
    List list(3);
    if (const std::optional<std::string> reason = list.Read(bytes)) {
        EXPECT_FALSE(list.Parse(bytes));
        EXPECT_EQ(list.GetCount(), 0u);
        return "unreadable: " + *reason + "\n";
    }
    std::string answer;
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        answer += Describe(*list.GetAt(i)) + "\n";
    }
    const std::string copied = list.Serialize();
    const std::size_t count = list.GetCount();
    EXPECT_EQ(list.TakeAll().size(), count);
    EXPECT_EQ(list.GetCount(), 0u);
    return answer + (copied == bytes ? "copied back as read\n" : "copied back otherwise\n");
}

// Every NAME.commands and NAME.responses of clipboard_cases is an archive as the clipboard
// holds it; NAME.EXTENSION.expected is what a paste makes of it.
class ClipboardCase : public testing::TestWithParam<std::string> {};

TEST_P(ClipboardCase, PastesAsExpected) {
    const fs::path input = kCaseDir / GetParam();
    const std::string bytes = test::ReadBytes(input.string());
    test::ExpectMatchesFile(input.extension() == ".commands" ? Paste<NodeCommandList>(bytes)
                                                             : Paste<NodeResponseList>(bytes),
                            input.string() + ".expected");
}

INSTANTIATE_TEST_SUITE_P(Archives, ClipboardCase,
                         testing::ValuesIn(test::FileNamesIn(kCaseDir,
                                                             {".commands", ".responses"})),
                         test::CaseFileTestName);

TEST(ClipboardList, SlotsSerialiseWhatIsSet) {
    NodeCommandList list(2);
    EXPECT_EQ(list.GetCount(), 2u);
    list.SetAt(1, std::make_unique<CommandEnd>());
    NodeCommandList pasted;
    ASSERT_TRUE(pasted.Parse(list.Serialize()));
    ASSERT_EQ(pasted.GetCount(), 1u);
    EXPECT_EQ(pasted.GetAt(0)->GetText(), "END CONVERSATION");
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(UnreadablePasteMessage("commands", "it ends inside element 1 of 1"),
              "The clipboard does not hold commands this editor can read: it ends inside element 1 "
              "of 1.");
}

}  // namespace
}  // namespace tw
