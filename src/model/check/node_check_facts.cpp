#include "model/check/node_check_facts.h"

#include "model/check/name_usage.h"
#include "model/dialogue_node.h"

namespace tw {
namespace {

void CollectTags(const DialogueNode& node, NodeCheckFacts& facts) {
    const auto& responses = node.Responses();
    for (std::size_t i = 0; i < responses.size(); ++i) {
        if (responses[i]->GetType() == kResponseAdd) {
            const auto& add = static_cast<const NodeResponseAdd&>(*responses[i]);
            facts.adds.push_back({i, add.GetTag(), add.GetPlayerText(), add.GetGotoNode()});
        } else if (responses[i]->GetType() == kResponseCut) {
            const auto& cut = static_cast<const NodeResponseCut&>(*responses[i]);
            facts.cuts.push_back({i, cut.GetCutTag()});
        }
    }
}

void CollectNames(DialogueNode& node, NodeCheckFacts& facts) {
    const NameUsage usage(std::vector<DialogueNode*>{&node});
    facts.reads.reserve(usage.Reads().size());
    for (const auto& [name, where] : usage.Reads()) {
        facts.reads.push_back({name, where.item, where.index});
    }
    facts.sets.assign(usage.Sets().begin(), usage.Sets().end());
}

}  // namespace

std::vector<SyntaxFault> CompileForCheck(DialogueNode& node) {
    std::vector<SyntaxFault> faults;
    for (DialogueNode::CompileFault& fault : node.CompileRows()) {
        faults.push_back({fault.response ? ItemKind::Response : ItemKind::Command, fault.row,
                          std::move(fault.message)});
    }
    return faults;
}

NodeCheckFacts DeriveNodeCheckFacts(DialogueNode& node) {
    NodeCheckFacts facts;
    facts.name = node.GetName();
    facts.label = node.Label();
    facts.syntax = CompileForCheck(node);
    facts.references = DialogueReferences::MadeBy(node);
    CollectTags(node, facts);
    CollectNames(node, facts);
    return facts;
}

}  // namespace tw
