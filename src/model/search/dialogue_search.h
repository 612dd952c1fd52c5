#pragma once

// Searches a dialogue's nodes for a text, in pre-order, a slice of nodes at a time so a
// window can show results while a large dialogue is still being searched. The dialogue
// must not change while a search is under way; a changed dialogue needs a new search.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/search/text_matcher.h"

namespace tw {

class Dialogue;
class DialogueNode;

// Where in a node a match lies.
enum class SearchField : std::uint32_t {
    kNodeName = 1u << 0,
    kNodeDescription = 1u << 1,
    kNodeText = 1u << 2,  // the node text's plain text
    kComments = 1u << 3,
    kCommandText = 1u << 4,
    kCommandCondition = 1u << 5,
    kResponseTag = 1u << 6,
    kResponseText = 1u << 7,
    kResponseTarget = 1u << 8,  // an [ADD]'s node, a [CUT]'s tag
    kResponseCondition = 1u << 9,
};

inline constexpr std::uint32_t kAllSearchFields = (1u << 10) - 1;

constexpr std::uint32_t FieldBit(SearchField field) {
    return static_cast<std::uint32_t>(field);
}

// The caption the results list shows for a field.
std::string_view SearchFieldCaption(SearchField field);

struct SearchOptions {
    std::string text;
    bool matchCase = false;
    bool wholeWord = false;
    std::uint32_t fields = kAllSearchFields;
};

struct SearchMatch {
    const DialogueNode* node = nullptr;
    SearchField field = SearchField::kNodeName;
    std::size_t row = 0;        // the command's or response's row; 0 for node fields
    std::string line;           // the line of the field that holds the match
    std::size_t lineStart = 0;  // where that line starts in the field's text
    std::size_t offset = 0;     // the match's offset in the line
    std::size_t length = 0;
};

class DialogueSearch {
public:
    DialogueSearch(const Dialogue& dialogue, SearchOptions options);

    // Searches up to maxNodes more nodes, appending their matches in order; true while
    // nodes are left.
    bool Step(std::size_t maxNodes, std::vector<SearchMatch>& matches);
    bool IsDone() const { return pending_.empty(); }
    std::size_t NodesSearched() const { return searched_; }

private:
    void SearchNode(const DialogueNode& node, std::vector<SearchMatch>& matches) const;
    void SearchCommands(const DialogueNode& node, std::vector<SearchMatch>& matches) const;
    void SearchResponses(const DialogueNode& node, std::vector<SearchMatch>& matches) const;
    void SearchIn(const DialogueNode& node, SearchField field, std::size_t row,
                  std::string_view text, std::vector<SearchMatch>& matches) const;
    bool Wants(SearchField field) const { return (options_.fields & FieldBit(field)) != 0; }

    SearchOptions options_;
    TextMatcher matcher_;
    std::vector<const DialogueNode*> pending_;  // the walk's stack: next node on top
    std::size_t searched_ = 0;
};

// Every match of the whole dialogue at once.
std::vector<SearchMatch> SearchDialogue(const Dialogue& dialogue, SearchOptions options);

}  // namespace tw
