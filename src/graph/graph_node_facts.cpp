#include "graph/graph_node_facts.h"

#include "base/byte_string.h"
#include "model/dialogue_node.h"
#include "model/node_response.h"
#include "model/text/rich_text.h"
#include "model/text/rtf_reader.h"

namespace tw {
namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

}  // namespace

// Rich text by its paragraphs, as the node text box shows it (the plain-text stripper of the
// export drops the breaks between them).
std::string FirstLineOf(const DialogueNode& node) {
    const std::string text =
        node.IsTextRich() ? PlainText(ReadRtf(node.GetText())) : node.GetText();
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && !IsLineEnd(text[end])) {
            ++end;
        }
        std::string line = Trim(std::string_view(text).substr(at, end - at));
        if (!line.empty()) {
            return line;
        }
        at = end + 1;
    }
    return {};
}

std::string LinkLabelOf(const NodeReference& reference) {
    if (reference.kind != ReferenceKind::Add) {
        return reference.choice;
    }
    const auto& response = *reference.from->Responses().at(reference.index);
    return static_cast<const NodeResponseAdd&>(response).GetPlayerText();
}

GraphNodeFacts GraphNodeFactsOf(const DialogueNode& node, std::span<const NodeReference> references,
                                const GraphOptions& options) {
    GraphNodeFacts facts;
    facts.id = node.GetId();
    facts.serial = node.GetSerial();
    facts.name = node.GetName();
    facts.description = node.GetDescription();
    facts.firstLine = ShortenForDisplay(FirstLineOf(node), options.textLimit);
    for (const NodeReference& reference : references) {
        facts.links.push_back({reference.kind, reference.target,
                               ShortenForDisplay(LinkLabelOf(reference), options.labelLimit),
                               reference.conditional, reference.item, reference.index});
    }
    return facts;
}

GraphNodeFacts DeriveGraphNodeFacts(DialogueNode& node, const GraphOptions& options) {
    node.CompileRows();
    return GraphNodeFactsOf(node, DialogueReferences::MadeBy(node), options);
}

}  // namespace tw
