#include "model/check/dialogue_check.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

#include "model/check/dialogue_references.h"
#include "model/check/name_usage.h"
#include "model/check/provided_names.h"
#include "model/dialogue.h"
#include "model/node_command.h"
#include "model/node_response.h"
#include "model/tree_walk.h"
#include "script/script_errors.h"

namespace tw {
namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string MissingNodeMessage(const NodeReference& reference) {
    std::string what;
    switch (reference.kind) {
        case ReferenceKind::Goto:
            what = "goto";
            break;
        case ReferenceKind::Branch:
            what = "branch choice " + Quoted(reference.choice);
            break;
        case ReferenceKind::List:
            what = "list choice " + Quoted(reference.choice);
            break;
        case ReferenceKind::ListReturn:
            what = "list return choice " + Quoted(reference.choice);
            break;
        case ReferenceKind::Add:
            what = "response [" + reference.choice + "]";
            break;
    }
    return what + " leads to node " + Quoted(reference.target) +
           ", which this dialogue does not have";
}

class Checker {
public:
    Checker(Dialogue& dialogue, const CheckOptions& options)
        : dialogue_(dialogue), options_(options) {
        ForEachPreOrder(dialogue.Root(),
                        [this](DialogueNode& node) { order_.emplace(&node, order_.size()); });
    }

    std::vector<Finding> Run() {
        ForEachPreOrder(dialogue_.Root(), [this](DialogueNode& node) { Compile(node); });
        const DialogueReferences references(dialogue_);
        CheckLinks(references);
        CheckTags();
        CheckReachable(references);
        CheckNames();
        SortFindings();
        return std::move(findings_);
    }

private:
    void Add(std::string_view rule, Severity severity, const DialogueNode& node, ItemKind item,
             std::size_t index, std::string message) {
        if (options_.IsEnabled(rule)) {
            findings_.push_back({std::string(rule), severity, &node, node.GetId(), node.Label(),
                                 item, index, std::move(message)});
        }
    }

    // The messages are the compile window's, word for word.
    void Compile(DialogueNode& node) {
        const std::string head = "NODE " + node.Label();
        const auto& commands = node.Commands();
        for (std::size_t i = 0; i < commands.size(); ++i) {
            try {
                commands[i]->Compile();
            } catch (const SyntaxError& error) {
                Add(kRuleSyntax, Severity::Error, node, ItemKind::Command, i,
                    head + ": Syntax Error: " + commands[i]->GetScriptText() + ": " +
                        error.GetMessage());
            }
        }
        const auto& responses = node.Responses();
        for (std::size_t i = 0; i < responses.size(); ++i) {
            try {
                responses[i]->Compile();
            } catch (const SyntaxError& error) {
                Add(kRuleSyntax, Severity::Error, node, ItemKind::Response, i,
                    head + ": Response Condition: " +
                        responses[i]->GetCondition()->GetExpression() + ": " + error.GetMessage());
            }
        }
    }

    void CheckLinks(const DialogueReferences& references) {
        for (const NodeReference& reference : references.All()) {
            if (reference.resolved == nullptr) {
                Add(kRuleMissingNode, Severity::Error, *reference.from, reference.item,
                    reference.index, MissingNodeMessage(reference));
            }
        }
    }

    struct TagOwner {
        const DialogueNode* node;
        const NodeResponseAdd* response;
    };

    void CheckTags() {
        std::map<std::string, TagOwner, LessNoCase> adds;
        ForEachPreOrder(dialogue_.Root(), [&](const DialogueNode& node) { CheckAdds(node, adds); });
        ForEachPreOrder(dialogue_.Root(), [&](const DialogueNode& node) { CheckCuts(node, adds); });
    }

    void CheckAdds(const DialogueNode& node, std::map<std::string, TagOwner, LessNoCase>& adds) {
        const auto& responses = node.Responses();
        for (std::size_t i = 0; i < responses.size(); ++i) {
            const auto* add = dynamic_cast<const NodeResponseAdd*>(responses[i].get());
            if (add == nullptr) {
                continue;
            }
            const auto [first, isNew] = adds.emplace(add->GetTag(), TagOwner{&node, add});
            if (!isNew && !SameChoice(*first->second.response, *add)) {
                Add(kRuleAmbiguousTag, Severity::Warning, node, ItemKind::Response, i,
                    "[ADD] tag " + Quoted(add->GetTag()) + " is also added in node " +
                        Quoted(first->second.node->Label()) + " with a different text or target");
            }
        }
    }

    static bool SameChoice(const NodeResponseAdd& a, const NodeResponseAdd& b) {
        return a.GetPlayerText() == b.GetPlayerText() &&
               EqualsNoCase(a.GetGotoNode(), b.GetGotoNode());
    }

    void CheckCuts(const DialogueNode& node,
                   const std::map<std::string, TagOwner, LessNoCase>& adds) {
        const auto& responses = node.Responses();
        for (std::size_t i = 0; i < responses.size(); ++i) {
            const auto* cut = dynamic_cast<const NodeResponseCut*>(responses[i].get());
            if (cut != nullptr && adds.find(cut->GetCutTag()) == adds.end()) {
                Add(kRuleUnknownCutTag, Severity::Warning, node, ItemKind::Response, i,
                    "[CUT] names tag " + Quoted(cut->GetCutTag()) +
                        ", which no [ADD] response of this dialogue has");
            }
        }
    }

    void CheckReachable(const DialogueReferences& references) {
        if (!options_.IsEnabled(kRuleUnreachableNode)) {
            return;
        }
        std::unordered_map<const DialogueNode*, std::vector<const DialogueNode*>> edges;
        for (const NodeReference& reference : references.All()) {
            if (reference.resolved != nullptr) {
                edges[reference.from].push_back(reference.resolved);
            }
        }
        const std::vector<bool> reached = Reached(edges);
        ForEachPreOrder(dialogue_.Root(), [&](const DialogueNode& node) {
            if (!reached[order_.at(&node)]) {
                Add(kRuleUnreachableNode, Severity::Warning, node, ItemKind::Node, 0,
                    "no road from the initialization node leads to this node");
            }
        });
    }

    std::vector<bool> Reached(
        const std::unordered_map<const DialogueNode*, std::vector<const DialogueNode*>>& edges)
        const {
        std::vector<bool> reached(order_.size(), false);
        std::vector<const DialogueNode*> pending{&dialogue_.Root()};
        reached[0] = true;
        while (!pending.empty()) {
            const DialogueNode* node = pending.back();
            pending.pop_back();
            const auto out = edges.find(node);
            if (out == edges.end()) {
                continue;
            }
            for (const DialogueNode* next : out->second) {
                if (!reached[order_.at(next)]) {
                    reached[order_.at(next)] = true;
                    pending.push_back(next);
                }
            }
        }
        return reached;
    }

    void CheckNames() {
        if (!options_.IsEnabled(kRuleUnsetName)) {
            return;
        }
        const NameUsage usage(dialogue_);
        for (const auto& [name, where] : usage.Reads()) {
            if (!usage.IsSet(name) && !IsProvidedName(name)) {
                const char* what = name.front() == '$' ? "variable " : "flag ";
                Add(kRuleUnsetName, Severity::Note, *where.node, where.item, where.index,
                    what + Quoted(name) + " is read but never set");
            }
        }
    }

    std::size_t RuleOrder(std::string_view rule) const {
        const auto& rules = CheckRules();
        return static_cast<std::size_t>(std::find(rules.begin(), rules.end(), rule) -
                                        rules.begin());
    }

    void SortFindings() {
        std::stable_sort(findings_.begin(), findings_.end(),
                         [this](const Finding& a, const Finding& b) { return Key(a) < Key(b); });
    }

    std::tuple<std::size_t, std::size_t, int, std::size_t> Key(const Finding& finding) const {
        return {order_.at(finding.node), RuleOrder(finding.rule), static_cast<int>(finding.item),
                finding.index};
    }

    Dialogue& dialogue_;
    const CheckOptions& options_;
    std::unordered_map<const DialogueNode*, std::size_t> order_;
    std::vector<Finding> findings_;
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
