#include "model/check/dialogue_check.h"

#include <algorithm>

#include "model/check/dialogue_check_cache.h"

namespace tw {

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

// One check for the command-line tool and the editor alike: the editor's cache keeps what it
// derived between checks, this one derives every node once.
std::vector<Finding> CheckDialogue(Dialogue& dialogue, const CheckOptions& options) {
    DialogueCheckCache fresh;
    return fresh.Check(dialogue, options);
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
