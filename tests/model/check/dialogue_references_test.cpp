#include "model/check/dialogue_references.h"

#include <gtest/gtest.h>

#include "check_test_dialogues.h"
#include "model/check/dialogue_check.h"

namespace tw {
namespace {

using test::CheckDialogueBuilder;
using B = CheckDialogueBuilder;

std::vector<std::string> Unreachable(Dialogue& dialogue) {
    std::vector<std::string> names;
    for (const Finding& finding : CheckDialogue(dialogue)) {
        if (finding.rule == kRuleUnreachableNode) {
            names.push_back(finding.node->GetName());
        }
    }
    return names;
}

// Root -goto-> A -branch-> B -list-> C -return-> D -add-> E -manual if/else-> F, and F goes
// back to A: every kind of edge, with a cycle. G and H lead to each other and to A, but
// nothing reachable leads to them.
void BuildChain(CheckDialogueBuilder& b) {
    DialogueNode& a = b.Node("A");
    DialogueNode& bn = b.Node("B", &a);
    DialogueNode& c = b.Node("C");
    DialogueNode& d = b.Node("D", &c);
    DialogueNode& e = b.Node("E", &d);
    DialogueNode& f = b.Node("F");
    DialogueNode& g = b.Node("G");
    DialogueNode& h = b.Node("H", &g);
    B::Goto(b.Root(), "a");
    a.AppendCommand(std::make_unique<CommandYesNo>(CommandYesNo::Strings{"Yes", "No"},
                                                   CommandYesNo::Strings{"B", "A"}));
    CommandList::Conditions conditions;
    conditions[0].SetExpression("false");
    bn.AppendCommand(std::make_unique<CommandList>(
        CommandList::Strings{"To C"}, CommandList::Strings{"C"}, conditions, "Back", "D"));
    c.AppendCommand(std::make_unique<CommandEnd>());
    B::Add(d, "A01", "Go on", "E");
    B::Manual(e, "if false then rem else goto F");
    B::Goto(f, "A");
    B::Goto(g, "H");
    B::Goto(h, "G");
    B::Add(h, "A02", "Back", "A");
}

TEST(DialogueReferences, ReachabilityFollowsEveryKindOfEdge) {
    CheckDialogueBuilder builder;
    BuildChain(builder);
    EXPECT_EQ(Unreachable(builder.Get()), (std::vector<std::string>{"G", "H"}));
}

TEST(DialogueReferences, ABrokenEdgeCutsTheRoad) {
    CheckDialogueBuilder builder;
    BuildChain(builder);
    builder.Get().FindNodeByName("D")->RemoveResponse(
        builder.Get().FindNodeByName("D")->Responses().front().get());
    EXPECT_EQ(Unreachable(builder.Get()), (std::vector<std::string>{"E", "F", "G", "H"}));
}

TEST(DialogueReferences, EveryEdgeWithItsKindRowAndTarget) {
    CheckDialogueBuilder builder;
    BuildChain(builder);
    CheckDialogue(builder.Get());  // compiles
    const DialogueReferences references(builder.Get());
    std::vector<std::string> edges;
    for (const NodeReference& r : references.All()) {
        edges.push_back(r.from->GetName() + " " + std::string(ItemKindName(r.item)) + " " +
                        std::to_string(r.index) + " " + std::string(ReferenceKindName(r.kind)) +
                        " '" + r.choice + "' -> " + r.target + " = " +
                        (r.resolved != nullptr ? r.resolved->GetName() : "?"));
    }
    EXPECT_EQ(edges, (std::vector<std::string>{
                         "Initialization Node command 0 goto '' -> a = A",
                         "A command 0 branch 'Yes' -> B = B",
                         "A command 0 branch 'No' -> A = A",
                         "B command 0 list 'To C' -> C = C",
                         "B command 0 list return 'Back' -> D = D",
                         "D response 0 response 'A01' -> E = E",
                         "E command 0 goto '' -> F = F",
                         "F command 0 goto '' -> A = A",
                         "G command 0 goto '' -> H = H",
                         "H command 0 goto '' -> G = G",
                         "H response 0 response 'A02' -> A = A",
                     }));
}

TEST(DialogueReferences, FromARowAndToANode) {
    CheckDialogueBuilder builder;
    BuildChain(builder);
    CheckDialogue(builder.Get());
    const DialogueReferences references(builder.Get());
    const DialogueNode& a = *builder.Get().FindNodeByName("A");
    const auto fromA = references.From(a, ItemKind::Command, 0);
    ASSERT_EQ(fromA.size(), 2U);
    EXPECT_EQ(fromA[0]->target, "B");
    EXPECT_TRUE(references.From(a, ItemKind::Response, 0).empty());
    EXPECT_TRUE(references.From(a, ItemKind::Command, 1).empty());
    std::vector<std::string> into;
    for (const NodeReference* r : references.To(a)) {
        into.push_back(r->from->GetName() + " " + std::string(ReferenceKindName(r->kind)));
    }
    EXPECT_EQ(into, (std::vector<std::string>{"Initialization Node goto", "A branch", "F goto",
                                              "H response"}));
}

TEST(DialogueReferences, AnUncompiledCommandLeadsNowhere) {
    CheckDialogueBuilder builder;
    builder.Node("A");
    B::Goto(builder.Root(), "A");
    B::Manual(builder.Root(), "goto");  // no node name: a syntax error
    const DialogueReferences before(builder.Get());
    EXPECT_TRUE(before.All().empty());  // nothing compiled yet
    CheckDialogue(builder.Get());
    const DialogueReferences after(builder.Get());
    ASSERT_EQ(after.All().size(), 1U);
    EXPECT_EQ(after.All()[0].index, 0U);
    EXPECT_EQ(after.All()[0].kind, ReferenceKind::Goto);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST(DialogueReferences, OneRowCompiledAfresh) {
    CheckDialogueBuilder builder;
    BuildChain(builder);
    Dialogue& dialogue = builder.Get();
    DialogueNode& a = *dialogue.FindNodeByName("A");
    const auto branch = DialogueReferences::OfRow(dialogue, a, ItemKind::Command, 0);
    ASSERT_EQ(branch.size(), 2U);
    EXPECT_EQ(branch[0].resolved, dialogue.FindNodeByName("B"));
    EXPECT_EQ(branch[1].resolved, &a);
    DialogueNode& d = *dialogue.FindNodeByName("D");
    const auto add = DialogueReferences::OfRow(dialogue, d, ItemKind::Response, 0);
    ASSERT_EQ(add.size(), 1U);
    EXPECT_EQ(add[0].kind, ReferenceKind::Add);
    EXPECT_EQ(add[0].resolved, dialogue.FindNodeByName("E"));
    EXPECT_TRUE(DialogueReferences::OfRow(dialogue, d, ItemKind::Response, 1).empty());
    B::Manual(d, "goto");
    EXPECT_TRUE(DialogueReferences::OfRow(dialogue, d, ItemKind::Command, 0).empty());
    B::Goto(d, "Missing");
    const auto missing = DialogueReferences::OfRow(dialogue, d, ItemKind::Command, 1);
    ASSERT_EQ(missing.size(), 1U);
    EXPECT_EQ(missing[0].resolved, nullptr);
}

TEST(DialogueReferences, CountsInWords) {
    EXPECT_EQ(DescribeCounts({1, 2, 0}), "1 error, 2 warnings, 0 notes");
    EXPECT_EQ(DescribeCounts({0, 1, 1}), "0 errors, 1 warning, 1 note");
}

}  // namespace
}  // namespace tw
