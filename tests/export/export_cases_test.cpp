// Exports of the small dialogues of tests/export/cases against the scripts they give. The
// generated dialogues and the samples, against the scripts they exported to before the
// export and the save were made faster, are in the command session
// tests/cli/data/commands/export.txt.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "export/dialogue_export.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "model/file.h"
#include "support/expected_file.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;

const std::filesystem::path kSource(TW_SOURCE_DIR);

// Every NAME.json of tests/export/cases, read and exported: NAME.txt is the script it gives,
// and the file written holds it with CR LF line ends. In NAME.jsonl each line is a dialogue
// and NAME.txt holds their scripts one after another.
class ExportCase : public testing::TestWithParam<std::string> {};

// Every line feed as CR LF, and nothing else changed.
std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return out;
}

std::vector<std::string> Documents(const std::filesystem::path& input) {
    const std::string text = ReadBytes(input.string());
    if (input.extension() == ".json") {
        return {text};
    }
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_P(ExportCase, ScriptIsTheExpectedText) {
    std::filesystem::path input = kSource / "tests/export/cases" / GetParam();
    TempDir dir;
    std::string scripts;
    for (const std::string& document : Documents(input)) {
        Dialogue dialogue;
        ASSERT_EQ(DialogueFromJson(document, dialogue), std::nullopt) << document;
        const std::string script = ExportScript(dialogue);
        ASSERT_EQ(Export(dialogue, dir / "out.txt"), std::nullopt);
        EXPECT_EQ(ReadBytes(dir / "out.txt"), WithCrLf(script));
        scripts += script;
    }
    test::ExpectMatchesFile(scripts, input.replace_extension(".txt"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportCase,
                         testing::ValuesIn(test::FileNamesIn(kSource / "tests/export/cases",
                                                             {".json", ".jsonl"})),
                         test::CaseFileTestName);

}  // namespace
}  // namespace tw
