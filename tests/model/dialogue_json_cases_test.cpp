// Runs every case of tests/model/json_cases through DialogueFromJson. NAME.json is one
// document; NAME.json.expected is what the script export shows of it once read. In
// NAME.jsonl every line is a document; NAME.jsonl.expected holds "LINE: ANSWER" for each,
// ANSWER being the reader's message or "read".

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "export/dialogue_export.h"
#include "model/dialogue_json.h"
#include "support/expected_file.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path kCaseDir = fs::path(TW_SOURCE_DIR) / "tests" / "model" / "json_cases";

std::vector<std::string> CaseFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCaseDir)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".json" || extension == ".jsonl") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string AnswerPerLine(const std::string& text) {
    std::istringstream lines(text);
    std::string answers;
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        Dialogue dialogue;
        answers += std::to_string(number) + ": " +
                   DialogueFromJson(line, dialogue).value_or("read") + "\n";
    }
    return answers;
}

std::string ExportOf(const std::string& text) {
    Dialogue dialogue;
    const std::optional<std::string> error = DialogueFromJson(text, dialogue);
    return error ? "error: " + *error + "\n" : ExportScript(dialogue);
}

class JsonCaseTest : public testing::TestWithParam<std::string> {};

TEST_P(JsonCaseTest, MatchesExpectedOutput) {
    const fs::path input = kCaseDir / GetParam();
    const std::string text = test::ReadBytes(input.string());
    test::ExpectMatchesFile(input.extension() == ".jsonl" ? AnswerPerLine(text) : ExportOf(text),
                            input.string() + ".expected");
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonCaseTest, testing::ValuesIn(CaseFiles()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

}  // namespace
}  // namespace tw
