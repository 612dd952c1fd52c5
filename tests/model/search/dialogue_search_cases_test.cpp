// Runs the searches of cases/searches.txt over cases/dialogue.json. Every search is also
// made a few nodes a slice, as the find bar makes it, and must find the same.

#include <gtest/gtest.h>

#include <sstream>

#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "model/search/dialogue_search.h"
#include "model/tree_walk.h"
#include "support/line_cases.h"

namespace tw {
namespace {

const std::string kCases = std::string(TW_SOURCE_DIR) + "/tests/model/search/cases/";

std::string Describe(const SearchMatch& m) {
    return m.node->GetName() + " / " + std::string(SearchFieldCaption(m.field)) + " " +
           std::to_string(m.row) + " | " + m.line + " @" + std::to_string(m.lineStart) + " +" +
           std::to_string(m.offset) + " " + std::to_string(m.length);
}

void ExpectSlicesFindTheSame(const Dialogue& dialogue, const SearchOptions& options,
                             const std::vector<SearchMatch>& all) {
    std::size_t nodes = 0;
    ForEachPreOrder(dialogue.Root(), [&nodes](const DialogueNode&) { ++nodes; });
    DialogueSearch search(dialogue, options);
    std::vector<SearchMatch> sliced;
    std::size_t steps = 0;
    while (search.Step(3, sliced)) {
        EXPECT_EQ(search.NodesSearched(), ++steps * 3);
    }
    EXPECT_TRUE(search.IsDone());
    EXPECT_EQ(search.NodesSearched(), nodes);
    ASSERT_EQ(sliced.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(Describe(sliced[i]), Describe(all[i]));
    }
}

std::string SearchAnswer(const Dialogue& dialogue, const std::string& line) {
    std::istringstream words(line);
    std::string kind;
    std::string flags;
    words >> kind >> flags;
    const bool matchCase = flags.find('c') != std::string::npos;
    const bool wholeWord = flags.find('w') != std::string::npos;
    std::string rest;
    if (kind == "match") {
        std::getline(words >> std::ws, rest);
        const std::size_t bar = rest.find(" | ");
        const std::size_t at =
            TextMatcher(test::Unescaped(rest.substr(0, bar)), matchCase, wholeWord)
                .Find(test::Unescaped(rest.substr(bar + 3)));
        return at == std::string_view::npos ? "none" : std::to_string(at);
    }
    std::string fields;
    words >> fields;
    std::getline(words >> std::ws, rest);
    const SearchOptions options{
        test::Unescaped(rest), matchCase, wholeWord,
        fields == "all" ? kAllSearchFields : static_cast<std::uint32_t>(std::stoul(fields))};
    const std::vector<SearchMatch> matches = SearchDialogue(dialogue, options);
    if (!options.text.empty()) {  // an empty text searches no node
        ExpectSlicesFindTheSame(dialogue, options, matches);
    }
    std::string answer;
    for (const SearchMatch& m : matches) {
        answer += Describe(m) + "\n";
    }
    return answer.empty() ? "none" : answer;
}

TEST(DialogueSearchCases, FindTheListedMatches) {
    Dialogue dialogue;
    ASSERT_EQ(DialogueFromJson(test::ReadBytes(kCases + "dialogue.json"), dialogue), std::nullopt);
    test::ExpectLineCases(kCases + "searches.txt", [&dialogue](const std::string& line) {
        return SearchAnswer(dialogue, line);
    });
}

}  // namespace
}  // namespace tw
