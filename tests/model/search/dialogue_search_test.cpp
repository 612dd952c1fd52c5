#include "model/search/dialogue_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/command_kinds.h"
#include "model/dialogue.h"

namespace tw {
namespace {

// One node per field, each holding "gold" once, so every field can be told apart.
class DialogueSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialogue.Root().SetName("Start");
        Add("GoldName", "");
        Add("Desc", "").SetDescription("about gold");
        Add("Plain", "no mention").SetText("He has gold.");
        Add("Notes", "").SetComments("first\nsecond gold line\nthird");
        DialogueNode& cmd = Add("Cmd", "");
        cmd.AppendCommand(std::make_unique<CommandManual>("$x = 1"));
        auto guarded = std::make_unique<CommandManual>("$y = 2");
        guarded->SetCondition(std::make_unique<Conditional>("$gold > 5"));
        cmd.AppendCommand(std::move(guarded));
        DialogueNode& resp = Add("Resp", "");
        auto add = std::make_unique<NodeResponseAdd>("tgold");
        add->SetPlayerText("Give me the gold");
        add->SetGotoNode("GoldName");
        add->SetCondition(std::make_unique<Conditional>("$gold"));
        resp.AppendResponse(std::make_unique<NodeResponseAdd>("other"));
        resp.AppendResponse(std::move(add));
    }
    DialogueNode& Add(std::string name, std::string text) {
        DialogueNode& node = dialogue.AppendNode(dialogue.Root(), nextId++, std::move(name));
        node.SetText(std::move(text));
        return node;
    }
    std::vector<SearchMatch> Find(std::string text, std::uint32_t fields = kAllSearchFields,
                                  bool matchCase = false, bool wholeWord = false) {
        return SearchDialogue(dialogue,
                              SearchOptions{std::move(text), matchCase, wholeWord, fields});
    }
    Dialogue dialogue;
    std::int32_t nextId = 1;
};

TEST_F(DialogueSearchTest, EachFieldIsFoundAloneAndReportsItsNodeRowAndLine) {
    struct Expected {
        SearchField field;
        const char* node;
        std::size_t row;
        const char* line;
        std::size_t offset;
    };
    const std::vector<Expected> cases = {
        {SearchField::kNodeName, "GoldName", 0, "GoldName", 0},
        {SearchField::kNodeDescription, "Desc", 0, "about gold", 6},
        {SearchField::kNodeText, "Plain", 0, "He has gold.", 7},
        {SearchField::kComments, "Notes", 0, "second gold line", 7},
        {SearchField::kCommandCondition, "Cmd", 1, "$gold > 5", 1},
        {SearchField::kResponseTag, "Resp", 1, "tgold", 1},
        {SearchField::kResponseText, "Resp", 1, "Give me the gold", 12},
        {SearchField::kResponseTarget, "Resp", 1, "GoldName", 0},
        {SearchField::kResponseCondition, "Resp", 1, "$gold", 1},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(std::string(SearchFieldCaption(c.field)));
        const auto matches = Find("gold", FieldBit(c.field));
        ASSERT_EQ(matches.size(), 1u);
        EXPECT_EQ(matches[0].field, c.field);
        EXPECT_EQ(matches[0].node->GetName(), c.node);
        EXPECT_EQ(matches[0].row, c.row);
        EXPECT_EQ(matches[0].line, c.line);
        EXPECT_EQ(matches[0].offset, c.offset);
        EXPECT_EQ(matches[0].length, 4u);
    }
    EXPECT_EQ(Find("gold").size(), cases.size());
    EXPECT_EQ(Find("$y", FieldBit(SearchField::kCommandText))[0].row, 1u);
}

TEST_F(DialogueSearchTest, MatchesComeInTreeOrderThenFieldOrder) {
    const auto matches = Find("gold");
    std::vector<std::string> order;
    for (const SearchMatch& m : matches) {
        order.push_back(m.node->GetName() + "/" + std::string(SearchFieldCaption(m.field)));
    }
    const std::vector<std::string> expected = {
        "GoldName/Name",      "Desc/Description",      "Plain/Text",
        "Notes/Comments",     "Cmd/Command condition", "Resp/Response tag",
        "Resp/Response text", "Resp/Response target",  "Resp/Response condition"};
    EXPECT_EQ(order, expected);
}

TEST_F(DialogueSearchTest, CaseOptionAndWholeWordOption) {
    EXPECT_EQ(Find("GOLD").size(), 9u);
    EXPECT_EQ(Find("GOLD", kAllSearchFields, true).size(), 0u);
    // Only "GoldName" in two places has the capital.
    EXPECT_EQ(Find("Gold", kAllSearchFields, true).size(), 2u);
    // "GoldName" and "tgold" are not the whole word; the rest are.
    const auto whole = Find("gold", kAllSearchFields, false, true);
    EXPECT_EQ(whole.size(), 6u);
    for (const SearchMatch& m : whole) {
        EXPECT_NE(m.field, SearchField::kNodeName);
        EXPECT_NE(m.field, SearchField::kResponseTag);
    }
}

TEST_F(DialogueSearchTest, RichTextIsSearchedByItsPlainText) {
    DialogueNode& rich = Add("Rich", "{\\rtf1 The \\b bold\\b0  word}");
    rich.SetTextRich(true);
    const auto bold = Find("bold", FieldBit(SearchField::kNodeText));
    ASSERT_EQ(bold.size(), 1u);
    EXPECT_EQ(bold[0].node, &rich);
    EXPECT_EQ(bold[0].line.substr(bold[0].offset, bold[0].length), "bold");
    // Control words are markup, not text.
    EXPECT_TRUE(Find("rtf1", FieldBit(SearchField::kNodeText)).empty());
    EXPECT_TRUE(Find("\\b", FieldBit(SearchField::kNodeText)).empty());
}

TEST_F(DialogueSearchTest, EveryOccurrenceIsOneMatchAndLinesAreCut) {
    dialogue.Root().SetComments("gold and gold\r\nmore gold");
    const auto matches = Find("gold", FieldBit(SearchField::kComments));
    ASSERT_EQ(matches.size(), 4u);  // three in the root, one in "Notes"
    EXPECT_EQ(matches[0].line, "gold and gold");
    EXPECT_EQ(matches[1].offset, 9u);
    EXPECT_EQ(matches[2].line, "more gold");
    EXPECT_EQ(matches[2].lineStart, 15u);
    EXPECT_EQ(matches[2].offset, 5u);
    EXPECT_TRUE(Find("").empty());
}

TEST_F(DialogueSearchTest, SlicesFindWhatOnePassFinds) {
    for (int i = 0; i < 50; ++i) {
        Add("gold" + std::to_string(i), "gold");
    }
    const auto all = Find("gold");
    DialogueSearch search(dialogue, SearchOptions{"gold"});
    std::vector<SearchMatch> sliced;
    int steps = 0;
    while (search.Step(3, sliced)) {
        ++steps;
        EXPECT_EQ(search.NodesSearched(), static_cast<std::size_t>(steps) * 3);
    }
    EXPECT_TRUE(search.IsDone());
    EXPECT_EQ(search.NodesSearched(), 57u);
    ASSERT_EQ(sliced.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(sliced[i].node, all[i].node);
        EXPECT_EQ(sliced[i].field, all[i].field);
    }
}

TEST_F(DialogueSearchTest, DeepTreesAreWalkedWithoutRecursion) {
    DialogueNode* parent = &dialogue.Root();
    for (int i = 0; i < 100000; ++i) {
        parent = &dialogue.AppendNode(*parent, nextId++, "n");
    }
    parent->SetName("deep gold");
    const auto matches = Find("gold", FieldBit(SearchField::kNodeName));
    ASSERT_EQ(matches.size(), 2u);
    EXPECT_EQ(matches[1].node, parent);
}

TEST(TextMatcherTest, FoldsWindows1252LettersAndKeepsThemInWords) {
    TextMatcher folded("\xC9T\xC9", false, false);  // "ÉTÉ"
    EXPECT_EQ(folded.Find("l'\xE9t\xE9"), 2u);
    TextMatcher exact("\xC9", true, false);
    EXPECT_EQ(exact.Find("\xE9"), std::string_view::npos);
    // An accented letter continues a word.
    TextMatcher word("caf", false, true);
    EXPECT_EQ(word.Find("caf\xE9"), std::string_view::npos);
    EXPECT_EQ(word.Find("caf, caf\xE9"), 0u);
    EXPECT_EQ(TextMatcher("\x8A", false, false).Find("\x9A"), 0u);
    EXPECT_EQ(TextMatcher("ab", false, true).Find("ab_ ab"), 4u);
}

}  // namespace
}  // namespace tw
