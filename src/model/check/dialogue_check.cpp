#include "model/check/dialogue_check.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

#include "model/check/check_messages.h"
#include "model/check/dialogue_references.h"
#include "model/check/name_usage.h"
#include "model/check/no_case_hash.h"
#include "model/check/node_check_facts.h"
#include "model/check/provided_names.h"
#include "model/check/reachability.h"
#include "model/dialogue.h"
#include "model/node_command.h"
#include "model/node_response.h"
#include "model/tree_walk.h"

namespace tw {
namespace {

class Checker {
public:
    Checker(Dialogue& dialogue, const CheckOptions& options)
        : dialogue_(dialogue), options_(options) {}

    std::vector<Finding> Run() {
        std::size_t at = 0;
        ForEachPreOrder(dialogue_.Root(), [this, &at](DialogueNode& node) { Compile(node, at++); });
        const DialogueReferences references(dialogue_);
        references_ = &references;
        CheckLinks();
        CheckTags();
        CheckReachable();
        CheckNames();
        return SortedFindings();
    }

private:
    struct Key {
        std::size_t node;
        std::size_t rule;
        ItemKind item;
        std::size_t index;
        std::size_t sequence;
        auto Tie() const { return std::tie(node, rule, item, index, sequence); }
    };

    void Add(std::string_view rule, Severity severity, std::size_t nodeIndex,
             const DialogueNode& node, ItemKind item, std::size_t index, std::string message) {
        if (!options_.IsEnabled(rule)) {
            return;
        }
        keys_.push_back({nodeIndex, RuleOrder(rule), item, index, keys_.size()});
        findings_.push_back({std::string(rule), severity, &node, node.GetId(), node.Label(), item,
                             index, std::move(message)});
    }

    void Compile(DialogueNode& node, std::size_t nodeIndex) {
        for (SyntaxFault& fault : CompileForCheck(node)) {
            Add(kRuleSyntax, Severity::Error, nodeIndex, node, fault.item, fault.index,
                std::move(fault.message));
        }
    }

    void CheckLinks() {
        for (std::size_t node = 0; node < references_->Nodes().size(); ++node) {
            for (const NodeReference& reference : references_->OfNode(node)) {
                if (reference.resolved == nullptr) {
                    Add(kRuleMissingNode, Severity::Error, node, *reference.from, reference.item,
                        reference.index, MissingNodeMessage(reference));
                }
            }
        }
    }

    struct TagOwner {
        const DialogueNode* node;
        const NodeResponseAdd* response;
    };
    using TagMap = std::unordered_map<std::string_view, TagOwner, NoCaseHash, NoCaseEqual>;

    void CheckTags() {
        TagMap adds;
        const auto& nodes = references_->Nodes();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            CheckAdds(i, *nodes[i], adds);
        }
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            CheckCuts(i, *nodes[i], adds);
        }
    }

    void CheckAdds(std::size_t nodeIndex, const DialogueNode& node, TagMap& adds) {
        const auto& responses = node.Responses();
        for (std::size_t i = 0; i < responses.size(); ++i) {
            if (responses[i]->GetType() != kResponseAdd) {
                continue;
            }
            const auto* add = static_cast<const NodeResponseAdd*>(responses[i].get());
            const auto [first, isNew] = adds.emplace(add->GetTag(), TagOwner{&node, add});
            if (!isNew && !SameChoice(*first->second.response, *add)) {
                Add(kRuleAmbiguousTag, Severity::Warning, nodeIndex, node, ItemKind::Response, i,
                    AmbiguousTagMessage(add->GetTag(), first->second.node->Label()));
            }
        }
    }

    static bool SameChoice(const NodeResponseAdd& a, const NodeResponseAdd& b) {
        return a.GetPlayerText() == b.GetPlayerText() &&
               EqualsNoCase(a.GetGotoNode(), b.GetGotoNode());
    }

    void CheckCuts(std::size_t nodeIndex, const DialogueNode& node, const TagMap& adds) {
        const auto& responses = node.Responses();
        for (std::size_t i = 0; i < responses.size(); ++i) {
            if (responses[i]->GetType() != kResponseCut) {
                continue;
            }
            const auto* cut = static_cast<const NodeResponseCut*>(responses[i].get());
            if (adds.find(std::string_view(cut->GetCutTag())) == adds.end()) {
                Add(kRuleUnknownCutTag, Severity::Warning, nodeIndex, node, ItemKind::Response, i,
                    UnknownCutTagMessage(cut->GetCutTag()));
            }
        }
    }

    void CheckReachable() {
        if (!options_.IsEnabled(kRuleUnreachableNode)) {
            return;
        }
        const std::vector<bool> reached = ReachedFromStart(*references_);
        const auto& nodes = references_->Nodes();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (!reached[i]) {
                Add(kRuleUnreachableNode, Severity::Warning, i, *nodes[i], ItemKind::Node, 0,
                    std::string(kUnreachableNodeMessage));
            }
        }
    }

    void CheckNames() {
        if (!options_.IsEnabled(kRuleUnsetName)) {
            return;
        }
        const NameUsage usage(references_->Nodes());
        std::vector<std::pair<std::string_view, NameRead>> unset;
        for (const auto& [name, where] : usage.Reads()) {
            if (!usage.IsSet(name) && !IsProvidedName(name)) {
                unset.emplace_back(name, where);
            }
        }
        // The same place may read several names; they come in name order.
        std::sort(unset.begin(), unset.end(),
                  [](const auto& a, const auto& b) { return CompareNoCase(a.first, b.first) < 0; });
        for (const auto& [name, where] : unset) {
            Add(kRuleUnsetName, Severity::Note, where.nodeIndex, *where.node, where.item,
                where.index, UnsetNameMessage(name));
        }
    }

    std::size_t RuleOrder(std::string_view rule) const {
        const auto& rules = CheckRules();
        return static_cast<std::size_t>(std::find(rules.begin(), rules.end(), rule) -
                                        rules.begin());
    }

    std::vector<Finding> SortedFindings() {
        std::sort(keys_.begin(), keys_.end(),
                  [](const Key& a, const Key& b) { return a.Tie() < b.Tie(); });
        std::vector<Finding> sorted;
        sorted.reserve(findings_.size());
        for (const Key& key : keys_) {
            sorted.push_back(std::move(findings_[key.sequence]));
        }
        return sorted;
    }

    Dialogue& dialogue_;
    const CheckOptions& options_;
    const DialogueReferences* references_ = nullptr;
    std::vector<Finding> findings_;
    std::vector<Key> keys_;
};

}  // namespace

const std::vector<std::string_view>& CheckRules() {
    static const std::vector<std::string_view> rules{kRuleSyntax,          kRuleMissingNode,
                                                     kRuleUnknownCutTag,   kRuleAmbiguousTag,
                                                     kRuleUnreachableNode, kRuleUnsetName};
    return rules;
}

bool IsCheckRule(std::string_view name) {
    const auto& rules = CheckRules();
    return std::find(rules.begin(), rules.end(), name) != rules.end();
}

std::vector<Finding> CheckDialogue(Dialogue& dialogue, const CheckOptions& options) {
    return Checker(dialogue, options).Run();
}

FindingCounts CountFindings(const std::vector<Finding>& findings) {
    FindingCounts counts;
    for (const Finding& finding : findings) {
        switch (finding.severity) {
            case Severity::Error:
                ++counts.errors;
                break;
            case Severity::Warning:
                ++counts.warnings;
                break;
            case Severity::Note:
                ++counts.notes;
                break;
        }
    }
    return counts;
}

std::string DescribeCounts(const FindingCounts& counts) {
    const auto part = [](std::size_t n, const char* what) {
        return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
    };
    return part(counts.errors, "error") + ", " + part(counts.warnings, "warning") + ", " +
           part(counts.notes, "note");
}

std::string_view SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            return "note";
    }
    return {};
}

std::string_view ItemKindName(ItemKind kind) {
    switch (kind) {
        case ItemKind::Node:
            return "node";
        case ItemKind::Command:
            return "command";
        case ItemKind::Response:
            return "response";
    }
    return {};
}

}  // namespace tw
