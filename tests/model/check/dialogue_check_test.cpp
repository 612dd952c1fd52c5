#include "model/check/dialogue_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "check_test_dialogues.h"
#include "model/dialogue_compile.h"

namespace tw {
namespace {

using test::CheckDialogueBuilder;
using test::Describe;
using B = CheckDialogueBuilder;

struct CheckCase {
    const char* name;
    std::function<void(CheckDialogueBuilder&)> build;
    std::vector<std::string> expected;
};

const std::string kNotHere = "\", which this dialogue does not have";

std::vector<CheckCase> Cases() {
    return {
        {"goto command",
         [](B& b) { B::Goto(b.Root(), "Nowhere"); },
         {"missing-node | Initialization Node | command 0 | goto leads to node \"Nowhere" +
          kNotHere}},
        {"goto inside a manual if",
         [](B& b) {
             B::Manual(b.Root(), "$x = 2");
             B::Manual(b.Root(), "if $x > 1 then goto Lost else goto Lost2");
         },
         {"missing-node | Initialization Node | command 1 | goto leads to node \"Lost" + kNotHere,
          "missing-node | Initialization Node | command 1 | goto leads to node \"Lost2" +
              kNotHere}},
        {"manual branch",
         [](B& b) {
             b.Node("A");
             B::Manual(b.Root(), "branch 'Yes' -> a, 'No' -> Gone");
         },
         {"missing-node | Initialization Node | command 0 | branch choice \"No\" leads to node "
          "\"Gone" +
          kNotHere}},
        {"manual list has no return entry",
         [](B& b) {
             b.Node("A");
             B::Manual(b.Root(), "list 'Ale' -> A, 'Bye' -> Gone");
         },
         {"missing-node | Initialization Node | command 0 | list choice \"Bye\" leads to node "
          "\"Gone" +
          kNotHere}},
        {"two-way question",
         [](B& b) {
             b.Node("Shop");
             b.Root().AppendCommand(std::make_unique<CommandYesNo>(
                 CommandYesNo::Strings{"Yes", "No"}, CommandYesNo::Strings{"Shop", "Bye"}));
         },
         {"missing-node | Initialization Node | command 0 | branch choice \"No\" leads to node "
          "\"Bye" +
          kNotHere}},
        {"list entry and return entry",
         [](B& b) {
             b.Node("N1");
             CommandList::Conditions conditions;
             conditions[1].SetExpression("true");
             b.Root().AppendCommand(std::make_unique<CommandList>(
                 CommandList::Strings{"Ale", "Bread"}, CommandList::Strings{"N1", "N2"}, conditions,
                 "Bye", "End"));
         },
         {"missing-node | Initialization Node | command 0 | list choice \"Bread\" leads to node "
          "\"N2" +
              kNotHere,
          "missing-node | Initialization Node | command 0 | list return choice \"Bye\" leads to "
          "node \"End" +
              kNotHere}},
        {"add response",
         [](B& b) { B::Add(b.Root(), "A01", "Hello", "Void"); },
         {"missing-node | Initialization Node | response 0 | response [A01] leads to node "
          "\"Void" +
          kNotHere}},
        {"cut of an unknown tag",
         [](B& b) {
             B::Add(b.Root(), "A01", "Hello", "Initialization Node");
             B::Cut(b.Root(), "a01");
             B::Cut(b.Root(), "B07");
         },
         {"unknown-cut-tag | Initialization Node | response 2 | [CUT] names tag \"B07\", which "
          "no [ADD] response of this dialogue has"}},
        {"ambiguous tag",
         [](B& b) {
             DialogueNode& a = b.Node("A");
             DialogueNode& c = b.Node("C");
             B::Add(b.Root(), "A01", "Hello", "A");
             B::Add(a, "a01", "Hello", "a");
             B::Add(a, "A01", "Hello", "C");
             B::Add(c, "A01", "Hi", "A");
         },
         {"ambiguous-tag | A | response 1 | [ADD] tag \"A01\" is also added in node "
          "\"Initialization Node\" with a different text or target",
          "ambiguous-tag | C | response 0 | [ADD] tag \"A01\" is also added in node "
          "\"Initialization Node\" with a different text or target"}},
        {"unreachable node",
         [](B& b) {
             DialogueNode& a = b.Node("A");
             b.Node("Lonely", &a);
             B::Goto(b.Root(), "A");
         },
         {"unreachable-node | Lonely | node 0 | no road from the initialization node leads to "
          "this node"}},
        {"names read but never set",
         [](B& b) {
             b.Root().SetText("Hello $name, $P1 and $rand$missing.");
             B::Manual(b.Root(), "if $gold > 1 and kMet then set kMet = WaliveGrusk");
             B::Manual(b.Root(), "reply $answer");
             B::Manual(b.Root(), "$y = $answer + $PartySize + $time");
             NodeResponseAdd& add = B::Add(b.Root(), "A01", "Hi", "Initialization Node");
             add.SetCondition(std::make_unique<Conditional>("kNameOrvane or WEbbo or $y > 0"));
         },
         {"unset-name | Initialization Node | node 0 | variable \"$missing\" is read but never "
          "set",
          "unset-name | Initialization Node | node 0 | variable \"$name\" is read but never set",
          "unset-name | Initialization Node | command 0 | variable \"$gold\" is read but never "
          "set",
          "unset-name | Initialization Node | response 0 | flag \"kNameOrvane\" is read but never "
          "set"}},
        {"syntax",
         [](B& b) {
             B::Manual(b.Root(), "$x =");
             B::Add(b.Root(), "A01", "Hi", "Initialization Node")
                 .SetCondition(std::make_unique<Conditional>("1 +"));
         },
         {"syntax | Initialization Node | command 0 | NODE Initialization Node: Syntax Error: $x "
          "=: Assignment statement ends prematurely",
          "syntax | Initialization Node | response 0 | NODE Initialization Node: Response "
          "Condition: 1 +: Operator '+' has missing or invalid operands"}},
    };
}

TEST(DialogueCheck, EachRuleFindsWhatItNamesAndNothingElse) {
    for (const CheckCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        CheckDialogueBuilder builder;
        c.build(builder);
        EXPECT_EQ(Describe(CheckDialogue(builder.Get(), test::PartyCheck())), c.expected);
    }
}

TEST(DialogueCheck, SyntaxFindingsAreTheCompileMessages) {
    CheckDialogueBuilder builder;
    DialogueNode& a = builder.Node("A", nullptr);
    B::Goto(builder.Root(), "A");
    B::Manual(a, "x 5");
    B::Manual(a, "set $x = true");
    B::Add(a, "A01", "Hi", "A").SetCondition(std::make_unique<Conditional>("(1"));
    const std::vector<std::string> compiled = CompileDialogue(builder.Get());
    std::vector<std::string> found;
    for (const Finding& finding : CheckDialogue(builder.Get())) {
        if (finding.rule == kRuleSyntax) {
            EXPECT_EQ(finding.severity, Severity::Error);
            found.push_back(finding.message);
        }
    }
    ASSERT_EQ(compiled.size(), 3U);
    EXPECT_EQ(found, compiled);
}

TEST(DialogueCheck, SeveritiesAndCounts) {
    CheckDialogueBuilder builder;
    B::Goto(builder.Root(), "Nowhere");
    builder.Node("Lonely");
    B::Manual(builder.Root(), "if kUnset then end conversation");
    const auto findings = CheckDialogue(builder.Get());
    ASSERT_EQ(findings.size(), 3U);
    EXPECT_EQ(findings[0].severity, Severity::Error);
    EXPECT_EQ(findings[1].severity, Severity::Note);
    EXPECT_EQ(findings[2].severity, Severity::Warning);
    EXPECT_EQ(findings[2].node->GetName(), "Lonely");
    const FindingCounts counts = CountFindings(findings);
    EXPECT_EQ(counts.errors, 1U);
    EXPECT_EQ(counts.warnings, 1U);
    EXPECT_EQ(counts.notes, 1U);
}

TEST(DialogueCheck, RulesSwitchOffOneByOne) {
    for (const CheckCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        CheckDialogueBuilder builder;
        c.build(builder);
        const std::vector<Finding> all = CheckDialogue(builder.Get());
        ASSERT_FALSE(all.empty());
        CheckOptions options = test::PartyCheck();
        options.disabled.insert(all.front().rule);
        EXPECT_TRUE(CheckDialogue(builder.Get(), options).empty());
        options.disabled = {std::string(kRuleUnsetName)};
        if (all.front().rule != kRuleUnsetName) {
            EXPECT_EQ(Describe(CheckDialogue(builder.Get(), options)), c.expected);
        }
    }
}

TEST(DialogueCheck, KnowsItsRules) {
    for (std::string_view rule : {"missing-node", "unknown-cut-tag", "ambiguous-tag",
                                  "unreachable-node", "unset-name", "syntax"}) {
        EXPECT_TRUE(IsCheckRule(rule)) << rule;
    }
    EXPECT_FALSE(IsCheckRule("missing"));
    EXPECT_FALSE(IsCheckRule("Syntax"));
}

}  // namespace
}  // namespace tw
