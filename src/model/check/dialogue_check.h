#pragma once

// The check of a whole dialogue beyond its syntax: broken links, unreachable nodes, stray
// and ambiguous tags and names read but never set, with the compile's own messages. One walk,
// linear in the size of the dialogue.

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/check/check_finding.h"

namespace tw {

class Dialogue;

inline constexpr std::string_view kRuleMissingNode = "missing-node";
inline constexpr std::string_view kRuleUnknownCutTag = "unknown-cut-tag";
inline constexpr std::string_view kRuleAmbiguousTag = "ambiguous-tag";
inline constexpr std::string_view kRuleUnreachableNode = "unreachable-node";
inline constexpr std::string_view kRuleUnsetName = "unset-name";
inline constexpr std::string_view kRuleSyntax = "syntax";

// Every rule, in the order its findings come within a node.
const std::vector<std::string_view>& CheckRules();
bool IsCheckRule(std::string_view name);

struct CheckOptions {
    std::set<std::string, std::less<>> disabled;  // rule names switched off
    // The flags and variables a test run provides though nothing in the dialogue sets them;
    // none without it.
    std::function<bool(std::string_view)> isProvided;

    bool IsEnabled(std::string_view rule) const { return disabled.find(rule) == disabled.end(); }
};

// Compiles every command and condition (as the test's compile does) and returns the findings
// node by node in pre-order; within a node in the order of CheckRules(), then row order.
std::vector<Finding> CheckDialogue(Dialogue& dialogue, const CheckOptions& options = {});

// How many findings have each severity.
struct FindingCounts {
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t notes = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);
// "1 error, 2 warnings, 0 notes".
std::string DescribeCounts(const FindingCounts& counts);

}  // namespace tw
