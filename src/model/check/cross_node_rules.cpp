#include "model/check/cross_node_rules.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "model/check/check_messages.h"
#include "model/check/no_case_hash.h"
#include "model/check/node_check_facts.h"
#include "model/check/reachability.h"

namespace tw {
namespace {

// Adds findings as the full check does (rule by rule, node by node) and sorts them the same
// way, so ties keep the same order.
class FactsChecker {
public:
    FactsChecker(const CheckSnapshot& nodes, const CheckOptions& options)
        : nodes_(nodes), options_(options) {}

    std::vector<Finding> Run() {
        AddSyntax();
        ResolveLinks();
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

    void Add(std::string_view rule, Severity severity, std::size_t node, ItemKind item,
             std::size_t index, std::string message) {
        if (!options_.IsEnabled(rule)) {
            return;
        }
        keys_.push_back({node, RuleOrder(rule), item, index, keys_.size()});
        findings_.push_back({std::string(rule), severity, nodes_[node].node, nodes_[node].id,
                             Facts(node).label, item, index, std::move(message)});
    }

    const NodeCheckFacts& Facts(std::size_t node) const { return *nodes_[node].facts; }

    static std::size_t RuleOrder(std::string_view rule) {
        const auto& rules = CheckRules();
        return static_cast<std::size_t>(std::find(rules.begin(), rules.end(), rule) -
                                        rules.begin());
    }

    void AddSyntax() {
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            for (const SyntaxFault& fault : Facts(i).syntax) {
                Add(kRuleSyntax, Severity::Error, i, fault.item, fault.index, fault.message);
            }
        }
    }

    // Every reference resolves to the first node of its name in pre-order, as in the
    // reference index; the roads are kept for the reachability rule.
    void ResolveLinks() {
        std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual> names;
        names.reserve(nodes_.size());
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            names.emplace(Facts(i).name, i);
        }
        firstRoad_.reserve(nodes_.size() + 1);
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            firstRoad_.push_back(roads_.size());
            for (const NodeReference& reference : Facts(i).references) {
                const auto found = names.find(std::string_view(reference.target));
                if (found != names.end()) {
                    roads_.push_back(found->second);
                } else {
                    Add(kRuleMissingNode, Severity::Error, i, reference.item, reference.index,
                        MissingNodeMessage(reference));
                }
            }
        }
        firstRoad_.push_back(roads_.size());
    }

    void CheckTags() {
        struct Owner {
            std::size_t node;
            const NodeCheckFacts::TagAdd* add;
        };
        std::unordered_map<std::string_view, Owner, NoCaseHash, NoCaseEqual> adds;
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            for (const NodeCheckFacts::TagAdd& add : Facts(i).adds) {
                const auto [first, isNew] = adds.emplace(add.tag, Owner{i, &add});
                if (!isNew && !SameChoice(*first->second.add, add)) {
                    Add(kRuleAmbiguousTag, Severity::Warning, i, ItemKind::Response, add.row,
                        AmbiguousTagMessage(add.tag, Facts(first->second.node).label));
                }
            }
        }
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            for (const NodeCheckFacts::TagCut& cut : Facts(i).cuts) {
                if (adds.find(std::string_view(cut.tag)) == adds.end()) {
                    Add(kRuleUnknownCutTag, Severity::Warning, i, ItemKind::Response, cut.row,
                        UnknownCutTagMessage(cut.tag));
                }
            }
        }
    }

    static bool SameChoice(const NodeCheckFacts::TagAdd& a, const NodeCheckFacts::TagAdd& b) {
        return a.playerText == b.playerText && EqualsNoCase(a.gotoNode, b.gotoNode);
    }

    void CheckReachable() {
        if (!options_.IsEnabled(kRuleUnreachableNode) || nodes_.empty()) {
            return;
        }
        const std::vector<bool> reached =
            ReachedFromStart(nodes_.size(), [this](std::size_t node, auto visit) {
                for (std::size_t road = firstRoad_[node]; road < firstRoad_[node + 1]; ++road) {
                    visit(roads_[road]);
                }
            });
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            if (!reached[i]) {
                Add(kRuleUnreachableNode, Severity::Warning, i, ItemKind::Node, 0,
                    std::string(kUnreachableNodeMessage));
            }
        }
    }

    struct FirstRead {
        std::size_t node;
        const NodeCheckFacts::NameRead* read;
    };

    void CheckNames() {
        if (!options_.IsEnabled(kRuleUnsetName)) {
            return;
        }
        std::unordered_map<std::string_view, FirstRead, NoCaseHash, NoCaseEqual> reads;
        std::unordered_set<std::string_view, NoCaseHash, NoCaseEqual> sets;
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            for (const NodeCheckFacts::NameRead& read : Facts(i).reads) {
                reads.emplace(read.name, FirstRead{i, &read});  // the earliest node wins
            }
            sets.insert(Facts(i).sets.begin(), Facts(i).sets.end());
        }
        std::vector<FirstRead> unset;
        for (const auto& [name, first] : reads) {
            if (sets.find(name) == sets.end() &&
                !(options_.isProvided && options_.isProvided(name))) {
                unset.push_back(first);
            }
        }
        // The same place may read several names; they come in name order.
        std::sort(unset.begin(), unset.end(), [](const FirstRead& a, const FirstRead& b) {
            return CompareNoCase(a.read->name, b.read->name) < 0;
        });
        for (const FirstRead& first : unset) {
            Add(kRuleUnsetName, Severity::Note, first.node, first.read->item, first.read->index,
                UnsetNameMessage(first.read->name));
        }
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

    const CheckSnapshot& nodes_;
    const CheckOptions& options_;
    std::vector<std::size_t> roads_;      // the nodes each reference leads to, node by node
    std::vector<std::size_t> firstRoad_;  // per node, then one past the last
    std::vector<Finding> findings_;
    std::vector<Key> keys_;
};

}  // namespace

std::vector<Finding> CheckAcrossNodes(const CheckSnapshot& snapshot, const CheckOptions& options) {
    return FactsChecker(snapshot, options).Run();
}

}  // namespace tw
