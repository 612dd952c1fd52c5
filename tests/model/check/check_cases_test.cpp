// Runs the dialogues of cases/findings.jsonl through the check: each answer lists the
// findings, the roads between nodes and the counts. Beside the listed answers, every case
// holds the check's own invariants: a rule switched off removes exactly its findings, the
// syntax findings are the compile messages (whose progress the answer shows too), and a
// row's references compiled afresh are the ones the whole index holds.

#include <gtest/gtest.h>

#include "model/check/dialogue_check.h"
#include "model/check/dialogue_references.h"
#include "model/command_kinds.h"
#include "model/dialogue_compile.h"
#include "model/dialogue_json.h"
#include "model/tree_walk.h"
#include "support/line_cases.h"
#include "tester/provided_names.h"

namespace tw {
namespace {

std::string Describe(const Finding& f) {
    return std::string(SeverityName(f.severity)) + " " + f.rule + " | " + f.nodeLabel + " | " +
           std::string(ItemKindName(f.item)) + " " + std::to_string(f.index) + " | " + f.message;
}

std::string Describe(const NodeReference& r) {
    return "road " + r.from->GetName() + " " + std::string(ItemKindName(r.item)) + " " +
           std::to_string(r.index) + " " + std::string(ReferenceKindName(r.kind)) + " '" +
           r.choice + "' -> " + r.target + " = " +
           (r.resolved != nullptr ? r.resolved->GetName() : "?");
}

std::vector<std::string> Lines(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    for (const Finding& finding : findings) {
        lines.push_back(Describe(finding));
    }
    return lines;
}

void ExpectEachRuleSwitchesOffAlone(Dialogue& dialogue, const CheckOptions& options,
                                    const std::vector<Finding>& all) {
    for (const Finding& finding : all) {
        CheckOptions without = options;
        without.disabled.insert(finding.rule);
        std::vector<std::string> rest;
        for (const Finding& other : all) {
            if (other.rule != finding.rule) {
                rest.push_back(Describe(other));
            }
        }
        EXPECT_EQ(Lines(CheckDialogue(dialogue, without)), rest) << finding.rule;
    }
}

void ExpectRowsMatchTheIndex(Dialogue& dialogue, const DialogueReferences& references) {
    ForEachPreOrder(dialogue.Root(), [&](DialogueNode& node) {
        const auto check = [&](ItemKind item, std::size_t rows) {
            for (std::size_t row = 0; row <= rows; ++row) {  // one past the last: none
                std::vector<std::string> fresh;
                for (const NodeReference& r :
                     DialogueReferences::OfRow(dialogue, node, item, row)) {
                    fresh.push_back(Describe(r));
                }
                std::vector<std::string> indexed;
                for (const NodeReference* r : references.From(node, item, row)) {
                    indexed.push_back(Describe(*r));
                }
                EXPECT_EQ(fresh, indexed) << node.GetName() << " row " << row;
            }
        };
        check(ItemKind::Command, node.Commands().size());
        check(ItemKind::Response, node.Responses().size());
    });
}

std::string CheckAnswer(const std::string& json) {
    Dialogue dialogue;
    if (const auto error = DialogueFromJson(json, dialogue)) {
        return "error: " + *error;
    }
    CheckOptions options;
    options.isProvided = IsProvidedName;
    const std::vector<Finding> findings = CheckDialogue(dialogue, options);
    std::string answer;
    std::vector<std::string> syntax;
    for (const Finding& finding : findings) {
        answer += Describe(finding) + "\n";
        if (finding.rule == kRuleSyntax) {
            syntax.push_back(finding.message);
        }
    }
    ExpectEachRuleSwitchesOffAlone(dialogue, options, findings);
    std::string progress = "compiled, errors after each node:";
    CompileProgress last;
    EXPECT_EQ(syntax, CompileDialogue(dialogue, [&](const CompileProgress& step) {
                  EXPECT_EQ(step.compiled, last.compiled + 1);
                  progress += " " + std::to_string(step.errors);
                  last = step;
              }));
    answer += progress + "; " + last.ErrorsFoundText() + ", " + std::to_string(last.Percent()) +
              "% of " + std::to_string(last.total) + "\n";
    const DialogueReferences references(dialogue);
    for (const NodeReference& reference : references.All()) {
        answer += Describe(reference) + "\n";
    }
    ExpectRowsMatchTheIndex(dialogue, references);
    ForEachPreOrder(dialogue.Root(), [&](const DialogueNode& node) {
        std::string into;
        for (const NodeReference* r : references.To(node)) {
            into += " " + r->from->GetName() + " " + std::string(ReferenceKindName(r->kind)) + ",";
        }
        answer += into.empty() ? "" : "into " + node.GetName() + ":" + into + "\n";
    });
    return answer + DescribeCounts(CountFindings(findings)) + "\n";
}

TEST(CheckCases, FindingsRoadsAndCounts) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/model/check/cases/findings.jsonl",
                          CheckAnswer);
}

// Commands made in the editor are compiled by the check; until then they lead nowhere.
TEST(CheckCases, UncompiledCommandsLeadNowhere) {
    Dialogue dialogue;
    dialogue.AppendNode(dialogue.Root(), 1, "A");
    dialogue.Root().AppendCommand(std::make_unique<CommandGoto>("A"));
    EXPECT_TRUE(DialogueReferences(dialogue).All().empty());
    CheckDialogue(dialogue);
    EXPECT_EQ(DialogueReferences(dialogue).All().size(), 1U);
}

}  // namespace
}  // namespace tw
