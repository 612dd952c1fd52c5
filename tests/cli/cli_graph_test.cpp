#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "generator/dialogue_generator.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

using test::Outcome;
using test::RunCommand;
using tw::test::ReadBytes;
using tw::test::TempDir;
using tw::test::WriteBytes;

const std::string kData = TW_SOURCE_DIR "/tests/cli/data/graph/";
const std::string kLinks = kData + "links.json";
const char kUsage[] =
    "usage: talkwright-cli graph FILE [--format json|dot|svg] [--node NAME] [--hops K] [OUT]\n";

Outcome Graph(std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return RunCommand(RunGraphCommand, views);
}

struct GraphCase {
    std::string expected;  // file name in kData
    std::vector<std::string> args;
};

// ctest names each case; this keeps its listing readable.
void PrintTo(const GraphCase& graphCase, std::ostream* out) {
    *out << graphCase.expected << " from graph";
    for (const std::string& arg : graphCase.args) {
        *out << ' ' << arg;
    }
}

std::vector<GraphCase> ReadCases() {
    std::ifstream in(kData + "cases.txt");
    std::vector<GraphCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::istringstream words(line);
        GraphCase graphCase;
        words >> graphCase.expected;
        for (std::string word; words >> word;) {
            graphCase.args.push_back(word);
        }
        cases.push_back(graphCase);
    }
    return cases;
}

class GraphOutput : public ::testing::TestWithParam<GraphCase> {};

TEST_P(GraphOutput, MatchesTheExpectedFile) {
    std::vector<std::string> args{kLinks};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const Outcome outcome = Graph(args);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, ReadBytes(kData + GetParam().expected));
    // The manual command "goto" does not compile: its row makes no link, and the map is made.
    EXPECT_EQ(outcome.err, kLinks +
                               ": warning: 1 command or condition does not compile and make no "
                               "links (talkwright-cli check lists them)\n");
}

std::string CaseName(const ::testing::TestParamInfo<GraphCase>& graphCase) {
    std::string name = graphCase.param.expected;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GraphOutput, ::testing::ValuesIn(ReadCases()), CaseName);

TEST(GraphCommand, UsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{}, ""},
        {{"a.vrx", "b", "c"}, ""},
        {{"--format"}, "talkwright-cli graph: --format needs a value\n"},
        {{"a.vrx", "--format", "png"}, "talkwright-cli graph: unknown format 'png'\n"},
        {{"a.vrx", "--hops", "2"}, "talkwright-cli graph: --hops needs --node\n"},
        {{"a.vrx", "--node", "A", "--hops", "6"},
         "talkwright-cli graph: --hops takes a whole number from 1 to 5, not '6'\n"},
        {{"a.vrx", "--node", "A", "--hops", "0"},
         "talkwright-cli graph: --hops takes a whole number from 1 to 5, not '0'\n"},
        {{"a.vrx", "--node", "A", "--hops", "two"},
         "talkwright-cli graph: --hops takes a whole number from 1 to 5, not 'two'\n"},
        {{"--verbose", "a.vrx"}, "talkwright-cli graph: unknown option '--verbose'\n"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome outcome = Graph(args);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, message + kUsage);
    }
}

TEST(GraphCommand, FailuresNameTheFileOnOneLine) {
    TempDir dir;
    const Outcome unknown = Graph({kLinks, "--node", "Nowhere"});  // a missing name is no node
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find(kLinks + ": no node named 'Nowhere'\n"), std::string::npos);
    const std::string broken = dir / "two\nlines.vrx";
    const Outcome missing = Graph({broken});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "\"" + (dir / "two\\nlines.vrx") + "\": Unable to open file\n");
    const Outcome unwritable = Graph({kLinks, dir / "no\tdir/map.json"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("\"" + (dir / "no\\tdir/map.json") +
                                  "\": Unable to create file (No such file or directory)\n"),
              std::string::npos)
        << unwritable.err;
}

TEST(GraphCommand, OutIsTheSameAsStandardOutputButNeverTheDialogue) {
    TempDir dir;
    const std::string out = dir / "map.dot";
    WriteBytes(out, "old");
    EXPECT_EQ(Graph({kLinks, "--format", "dot", out}).status, 0);
    EXPECT_EQ(ReadBytes(out), ReadBytes(kData + "links.graph.dot"));
    EXPECT_EQ(Graph({kLinks, "--format", "dot", "-"}).out, ReadBytes(out));
    const std::string dialogue = dir / "links.json";
    WriteBytes(dialogue, ReadBytes(kLinks));
    const Outcome itself = Graph({dialogue, dialogue});
    EXPECT_EQ(itself.status, 1);
    EXPECT_NE(itself.err.find(dialogue + ": the map would replace the dialogue itself\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(dialogue), ReadBytes(kLinks));
}

TEST(GraphCommand, SvgDrawsEveryBoxAndLink) {
    const Outcome outcome = Graph({kLinks, "--format", "svg"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.out.starts_with("<?xml")) << outcome.out.substr(0, 200);
    const auto count = [&outcome](const std::string& what) {
        std::size_t found = 0;
        for (auto at = outcome.out.find(what); at != std::string::npos;
             at = outcome.out.find(what, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count("<g id=\"n"), 8U);  // seven nodes and the ghost of the missing name
    EXPECT_EQ(count("<g id=\"e"), 15U);
}

// JSON and DOT at any size; the drawing only within the layout's limits.
TEST(GraphCommand, LargeMapsAreDrawnOnlyInParts) {
    TempDir dir;
    const std::string path = dir / "large.vrx";
    WriteBytes(path, GenerateDialogue({2100, 7})->Write());
    const Outcome svg = Graph({path, "--format", "svg"});
    EXPECT_EQ(svg.status, 1);
    EXPECT_EQ(svg.out, "");
    EXPECT_EQ(svg.err, path +
                           ": the map is too large to lay out: 2100 nodes, more than the 2000 a "
                           "layout takes; draw a part of it with --node NAME --hops K\n");
    EXPECT_EQ(Graph({path, "--format", "dot"}).status, 0);
    const Outcome part = Graph({path, "--format", "svg", "--node", "Initialization Node"});
    EXPECT_EQ(part.status, 0) << part.err;
}

}  // namespace
}  // namespace tw::cli
