#include "model/search/dialogue_search.h"

#include <utility>

#include "model/dialogue.h"
#include "model/text/rtf_to_text.h"

namespace tw {

std::string_view SearchFieldCaption(SearchField field) {
    switch (field) {
        case SearchField::kNodeName:
            return "Name";
        case SearchField::kNodeDescription:
            return "Description";
        case SearchField::kNodeText:
            return "Text";
        case SearchField::kComments:
            return "Comments";
        case SearchField::kCommandText:
            return "Command";
        case SearchField::kCommandCondition:
            return "Command condition";
        case SearchField::kResponseTag:
            return "Response tag";
        case SearchField::kResponseText:
            return "Response text";
        case SearchField::kResponseTarget:
            return "Response target";
        case SearchField::kResponseCondition:
            return "Response condition";
    }
    return {};
}

DialogueSearch::DialogueSearch(const Dialogue& dialogue, SearchOptions options)
    : options_(std::move(options)),
      matcher_(options_.text, options_.matchCase, options_.wholeWord) {
    if (!options_.text.empty()) {
        pending_.push_back(&dialogue.Root());
    }
}

bool DialogueSearch::Step(std::size_t maxNodes, std::vector<SearchMatch>& matches) {
    for (std::size_t n = 0; n < maxNodes && !pending_.empty(); ++n) {
        const DialogueNode* node = pending_.back();
        pending_.pop_back();
        SearchNode(*node, matches);
        ++searched_;
        const auto& children = node->Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            pending_.push_back(child->get());
        }
    }
    return !pending_.empty();
}

void DialogueSearch::SearchNode(const DialogueNode& node, std::vector<SearchMatch>& matches) const {
    SearchIn(node, SearchField::kNodeName, 0, node.GetName(), matches);
    SearchIn(node, SearchField::kNodeDescription, 0, node.GetDescription(), matches);
    if (Wants(SearchField::kNodeText)) {
        const std::string plain = node.IsTextRich() ? RtfToText(node.GetText()) : node.GetText();
        SearchIn(node, SearchField::kNodeText, 0, plain, matches);
    }
    SearchIn(node, SearchField::kComments, 0, node.GetComments(), matches);
    SearchCommands(node, matches);
    SearchResponses(node, matches);
}

void DialogueSearch::SearchCommands(const DialogueNode& node,
                                    std::vector<SearchMatch>& matches) const {
    const auto& commands = node.Commands();
    for (std::size_t row = 0; row < commands.size(); ++row) {
        const NodeCommand& command = *commands[row];
        SearchIn(node, SearchField::kCommandText, row, command.GetText(), matches);
        if (const Conditional* condition = command.GetCondition()) {
            SearchIn(node, SearchField::kCommandCondition, row, condition->GetExpression(),
                     matches);
        }
    }
}

void DialogueSearch::SearchResponses(const DialogueNode& node,
                                     std::vector<SearchMatch>& matches) const {
    const auto& responses = node.Responses();
    for (std::size_t row = 0; row < responses.size(); ++row) {
        const NodeResponse& response = *responses[row];
        SearchIn(node, SearchField::kResponseTag, row, response.GetTag(), matches);
        if (const auto* add = dynamic_cast<const NodeResponseAdd*>(&response)) {
            SearchIn(node, SearchField::kResponseText, row, add->GetPlayerText(), matches);
            SearchIn(node, SearchField::kResponseTarget, row, add->GetGotoNode(), matches);
        } else if (const auto* cut = dynamic_cast<const NodeResponseCut*>(&response)) {
            SearchIn(node, SearchField::kResponseText, row, cut->GetCutText(), matches);
            SearchIn(node, SearchField::kResponseTarget, row, cut->GetCutTag(), matches);
        }
        if (const Conditional* condition = response.GetCondition()) {
            SearchIn(node, SearchField::kResponseCondition, row, condition->GetExpression(),
                     matches);
        }
    }
}

namespace {

// The bounds of the line around offset at: after the previous line end, before the next.
std::pair<std::size_t, std::size_t> LineAround(std::string_view text, std::size_t at) {
    const std::size_t before = at == 0 ? std::string_view::npos : text.find_last_of("\r\n", at - 1);
    const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    return {start, end};
}

}  // namespace

void DialogueSearch::SearchIn(const DialogueNode& node, SearchField field, std::size_t row,
                              std::string_view text, std::vector<SearchMatch>& matches) const {
    if (!Wants(field)) {
        return;
    }
    const std::size_t length = matcher_.PatternLength();
    for (std::size_t at = matcher_.Find(text); at != std::string_view::npos;
         at = matcher_.Find(text, at + length)) {
        const auto [start, end] = LineAround(text, at);
        if (at + length > end) {
            continue;  // a pattern never spans lines, but a typed line end could
        }
        matches.push_back(SearchMatch{&node, field, row,
                                      std::string(text.substr(start, end - start)), start,
                                      at - start, length});
    }
}

std::vector<SearchMatch> SearchDialogue(const Dialogue& dialogue, SearchOptions options) {
    DialogueSearch search(dialogue, std::move(options));
    std::vector<SearchMatch> matches;
    while (search.Step(4096, matches)) {
    }
    return matches;
}

}  // namespace tw
