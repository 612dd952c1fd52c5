#include "ui/views/node_rows.h"

#include <gtest/gtest.h>

#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "support/line_cases.h"

namespace tw {
namespace {

std::string Shown(const ListRow& row) {
    std::string shown = std::to_string(row.image);
    for (const std::string& cell : row.cells) {
        shown += "|" + cell;
    }
    return shown + "\n";
}

// The rows of the commands and responses of a node made of the line's JSON members.
std::string RowsOf(const std::string& members) {
    Dialogue dialogue;
    const std::optional<std::string> error = DialogueFromJson(
        R"({"format": "talkwright-dialogue", "nodes": [{"depth": 0, )" + members + "}]}", dialogue);
    if (error) {
        return *error;
    }
    std::string rows;
    for (const auto& command : dialogue.Root().Commands()) {
        rows += Shown(CommandRow(*command));
    }
    for (const auto& response : dialogue.Root().Responses()) {
        rows += Shown(ResponseRow(*response));
    }
    return rows;
}

// ExpectLineCases in its parts: inlined whole here, GCC 12 takes its path for out of bounds.
TEST(NodeRowsTest, EveryLineOfTheCases) {
    const std::filesystem::path cases = TW_SOURCE_DIR "/tests/ui/views/data/node_rows.txt";
    test::ExpectMatchesFile(test::AnswerEachLine(test::ReadBytes(cases.string()), RowsOf),
                            cases.string() + ".expected");
}

}  // namespace
}  // namespace tw
