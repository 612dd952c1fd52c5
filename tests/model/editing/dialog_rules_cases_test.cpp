// Runs the dialogs' OK rules of cases/dialog_rules.txt. A line is "RULE key=value|key=value"
// with the dialog's fields as typed (values are not trimmed); the answer is the message that
// keeps the dialog open, or what the dialog makes. What a dialog makes is also shown in it
// again and must make the same once more. The rules that take a text, or a whole dialogue
// as JSON, say so where they are answered. The tree's depth limit, too deep to list, is
// beside them.

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <sstream>

#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_compile.h"
#include "model/dialogue_json.h"
#include "model/editing/choice_description_rules.h"
#include "model/editing/command_dialog_rules.h"
#include "model/editing/condition_dialog_rules.h"
#include "model/editing/dialogue_names.h"
#include "model/editing/link_retarget.h"
#include "model/editing/node_name_rules.h"
#include "model/editing/response_dialog_rules.h"
#include "model/editing/script_field_check.h"
#include "model/editing/tree_edit_rules.h"
#include "model/tree_depth.h"
#include "support/dialogue_builder.h"
#include "support/line_cases.h"

namespace tw {
namespace {

class Fields {
public:
    explicit Fields(const std::string& text) {
        std::istringstream parts(text);
        for (std::string part; std::getline(parts, part, '|');) {
            const std::size_t equals = part.find('=');
            values_[part.substr(0, equals)] = part.substr(equals + 1);
        }
    }
    std::string operator[](const std::string& key) const {
        const auto found = values_.find(key);
        return found == values_.end() ? "" : found->second;
    }
    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    std::size_t Number(const std::string& key) const {
        return Has(key) ? std::stoul((*this)[key]) : 0;
    }

private:
    std::map<std::string, std::string> values_;
};

YesNoFields YesNoOf(const Fields& f) {
    YesNoFields fields;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i);
        fields.choices[i] = f.Has("choice" + n) ? f["choice" + n] : fields.choices[i];
        fields.nodes[i] = f["node" + n];
    }
    return fields;
}

ListFields ListOf(const Fields& f) {
    ListFields fields;
    for (std::size_t i = 0; i < fields.choices.size(); ++i) {
        const std::string n = std::to_string(i);
        fields.choices[i] = f["choice" + n];
        fields.nodes[i] = f["node" + n];
        fields.conditions[i] = f["condition" + n];
    }
    fields.returnChoice = f["return"];
    fields.returnNode = f["returnNode"];
    return fields;
}

std::string CommandAnswer(const Fields& f) {
    static const std::map<std::string, CommandChoice> kChoices = {
        {"none", CommandChoice::kNone},
        {"manual", CommandChoice::kManual},
        {"reply", CommandChoice::kReply},
        {"setFlag", CommandChoice::kSetFlag},
        {"clearFlag", CommandChoice::kClearFlag},
        {"assign", CommandChoice::kAssign},
        {"conditionalAssign", CommandChoice::kConditionalAssign},
        {"branch", CommandChoice::kMultipleChoice},
        {"list", CommandChoice::kResponseList},
        {"end", CommandChoice::kEnd},
        {"goto", CommandChoice::kGoto}};
    CommandFields fields;
    fields.choice = kChoices.at(f["choice"]);
    fields.manual = f["manual"];
    fields.replyVariable = f["reply"];
    fields.flag = f["flag"];
    fields.variable = f["variable"];
    fields.value = f["value"];
    fields.test = f["test"];
    fields.trueValue = f["true"];
    fields.falseValue = f["false"];
    fields.gotoNode = f["goto"];
    fields.hasCondition = f.Has("condition");
    fields.condition = f["condition"];
    if (f.Has("node0")) {
        fields.yesNo = YesNoOf(f);
    }
    if (f.Has("returnNode")) {
        fields.list = ListOf(f);
    }
    const CommandOutcome outcome = BuildCommandFromFields(fields);
    if (!outcome.command) {
        return outcome.error.empty() ? "nothing" : "error: " + outcome.error;
    }
    const CommandOutcome again = BuildCommandFromFields(FieldsOfCommand(*outcome.command));
    EXPECT_EQ(again.command->GetType(), outcome.command->GetType());
    EXPECT_EQ(again.command->GetScriptText(), outcome.command->GetScriptText());
    return outcome.command->GetScriptText();
}

std::string ConditionAnswer(const Fields& f) {
    static const std::map<std::string, ConditionForm> kForms = {
        {"none", ConditionForm::kNone},
        {"simple", ConditionForm::kSimple},
        {"and", ConditionForm::kConjunction},
        {"or", ConditionForm::kDisjunction},
        {"complex", ConditionForm::kComplex}};
    ConditionFields fields;
    fields.form = kForms.at(f["form"]);
    fields.left = f["left"];
    fields.operatorIndex = f.Number("operator");
    fields.right = f["right"];
    fields.andLeft = f["andLeft"];
    fields.andRight = f["andRight"];
    fields.orLeft = f["orLeft"];
    fields.orRight = f["orRight"];
    fields.complex = f["complex"];
    const ConditionOutcome outcome = BuildCondition(fields);
    return outcome.expression      ? *outcome.expression
           : outcome.error.empty() ? "nothing"
                                   : "error: " + outcome.error;
}

std::string YesNoAnswer(const Fields& f) {
    const YesNoFields fields = YesNoOf(f);
    if (const std::string error = CheckYesNoFields(fields); !error.empty()) {
        return "error: " + error;
    }
    const auto command = BuildYesNoCommand(fields);
    EXPECT_EQ(FieldsOfYesNo(*command), fields);
    return command->GetText();
}

std::string ListAnswer(const Fields& f) {
    const ListFields fields = ListOf(f);
    if (const std::string error = CheckListFields(fields); !error.empty()) {
        return "error: " + error;
    }
    const auto command = BuildListCommand(fields);
    const ListFields back = FieldsOfList(*command);
    EXPECT_EQ(back.choices, fields.choices);
    EXPECT_EQ(back.nodes, fields.nodes);
    EXPECT_EQ(BuildListCommand(back)->GetText(), command->GetText());
    std::string conditions;
    for (const std::string& condition : back.conditions) {
        conditions += "[" + condition + "]";
    }
    return command->GetText() + "\nshown again with conditions " + conditions;
}

std::string NodeNameAnswer(const Fields& f) {
    const NodeNameOutcome outcome = CheckNodeName({f["name"], f["description"]}, f["current"],
                                                  {"Greeting", "Trade", "Farewell"});
    return outcome.error.empty()
               ? "[" + outcome.accepted.name + "] [" + outcome.accepted.description + "]"
               : "error: " + outcome.error;
}

std::string NpcAnswer(const Fields& f) {
    const NpcOutcome outcome =
        CheckNpcFields({f["id"], f["name"], static_cast<std::int32_t>(f.Number("gender"))});
    const NpcFields shown = FieldsOfNpc(outcome.data);
    const std::string data = std::to_string(outcome.data.id) + " [" + outcome.data.name + "] " +
                             std::to_string(outcome.data.gender);
    EXPECT_EQ(shown.id, std::to_string(outcome.data.id));
    EXPECT_EQ(shown.name, outcome.data.name);
    EXPECT_EQ(shown.gender, outcome.data.gender);
    return outcome.error.empty() ? data : "error: " + outcome.error + "\nkeeps " + data;
}

std::string FieldCheckAnswer(const FieldCheck& check) {
    static const char* const kStates[] = {"empty", "fine", "error"};
    return kStates[check.state] + (check.message.empty() ? "" : ": " + check.message);
}

// The statement in a node's command, its links to "Shop" renamed "Market".
std::string RetargetAnswer(const std::string& statement) {
    Dialogue dialogue;
    DialogueNode& node = dialogue.AppendNode(dialogue.Root(), 1, "Greet");
    AddScript(node, statement);
    const std::vector<RetargetedRow> rows = RetargetLinks(dialogue, "Shop", "Market");
    std::string answer;
    for (const RetargetedRow& row : rows) {
        answer += std::to_string(row.command->GetType()) + " " + row.command->GetText() + "\n";
    }
    return answer.empty() ? "unchanged" : answer;
}

// A dialogue given as JSON, its links to "Shop" renamed "Market": where each changed row is,
// then the dialogue's nodes with the rebuilt rows put in their places.
std::string RetargetDialogueAnswer(const std::string& json) {
    Dialogue dialogue;
    if (const auto error = DialogueFromJson(json, dialogue)) {
        return "error: " + *error;
    }
    std::string answer;
    for (RetargetedRow& row : RetargetLinks(dialogue, "Shop", "Market")) {
        DialogueNode& node = *dialogue.FindNodeById(row.nodeId);
        answer += "node " + std::to_string(row.nodeId) +
                  (row.item == ItemKind::Command ? " command " : " response ") +
                  std::to_string(row.index) + "\n";
        if (row.command) {
            node.ReplaceCommand(node.Commands()[row.index].get(), std::move(row.command));
        } else {
            node.ReplaceResponseAt(row.index, std::move(row.response));
        }
    }
    const std::string written = DialogueToJson(dialogue);
    return answer + written.substr(written.find("  \"nodes\""));  // the header holds no links
}

// The names a dialogue given as JSON offers: its nodes but the root, the variables and the
// flags its commands and conditions use.
std::string NamesAnswer(const std::string& json) {
    Dialogue dialogue;
    if (const auto error = DialogueFromJson(json, dialogue)) {
        return "error: " + *error;
    }
    const DialogueNames names = CollectDialogueNames(dialogue);
    EXPECT_EQ(names.nodes, NodeNamesOf(dialogue));
    const auto join = [](const std::vector<std::string>& list) {
        std::string joined;
        for (const std::string& name : list) {
            joined += " [" + name + "]";
        }
        return joined;
    };
    return "nodes" + join(NodeNamesOf(dialogue)) + "\nvariables" + join(names.variables) +
           "\nflags" + join(names.flags);
}

// The document the response and tree rules see: Greeting(1) with an [ADD] A01 and a [CUT]
// of B01, and Farewell(2) under it; Trade(3) at the top.
std::unique_ptr<Dialogue> RulesDialogue() {
    auto dialogue = std::make_unique<Dialogue>();
    DialogueNode& greet = dialogue->AppendNode(dialogue->Root(), 1, "Greeting");
    dialogue->AppendNode(greet, 2, "Farewell");
    dialogue->AppendNode(dialogue->Root(), 3, "Trade");
    AddResponse(greet, "A01", "Tell me about the mill, please", "Farewell");
    CutResponse(greet, "B01");
    return dialogue;
}

std::string Describe(const NodeResponse& response) {
    const auto* add = dynamic_cast<const NodeResponseAdd*>(&response);
    const auto* cut = dynamic_cast<const NodeResponseCut*>(&response);
    return (add ? "add [" + add->GetTag() + "] [" + add->GetPlayerText() + "] -> [" +
                      add->GetGotoNode() + "]"
                : "cut [" + cut->GetTag() + "] of [" + cut->GetCutTag() + "] [" +
                      cut->GetCutText() + "]") +
           (response.HasCondition() ? " if " + response.GetCondition()->GetExpression() : "");
}

std::string ResponseAnswer(const Fields& f) {
    const auto dialogue = RulesDialogue();
    ResponseContext context;
    context.dialogue = dialogue.get();
    dialogue->CollectResponseTags(context.tags);
    context.nodeNames = {"Greeting", "Farewell", "Trade"};
    context.currentTag = f["current"];
    ResponseFields fields;
    fields.addMode = !f.Has("cut");
    fields.tag = f["tag"];
    fields.text = f["text"];
    fields.gotoNode = f["goto"];
    fields.cutRow = f["cut"];
    fields.hasCondition = f.Has("hasCondition");
    if (f.Has("condition")) {
        fields.condition = f["condition"];
    }
    std::string answer;
    const OkSteps steps = CheckResponseFields(fields, context);
    for (const OkStep& step : steps) {
        answer += (step.kind == OkStep::kError ? "error: " : "question: ") + step.text + "\n";
    }
    if (EndsInError(steps)) {
        return answer;
    }
    const auto response = BuildResponse(fields, context);
    const ResponseFields shown = FieldsOfResponse(*response);
    EXPECT_EQ(Describe(*BuildResponse(shown, context)), Describe(*response));
    fields.hasCondition = false;  // an unticked box drops the condition
    ApplyResponseFields(fields, context, *response);
    EXPECT_FALSE(response->HasCondition());
    return answer + Describe(*BuildResponse(shown, context));
}

// The rows of the [CUT] box for the tags, and the response each row or tag cell finds.
std::string CutRowsAnswer(const std::string& tags) {
    const auto dialogue = RulesDialogue();
    std::istringstream words(tags);
    std::vector<std::string> list{std::istream_iterator<std::string>(words), {}};
    std::string answer;
    DialogueNode& greet = *dialogue->FindNodeById(1);
    for (const std::string& row : CutBoxRows(list, *dialogue)) {
        answer += row + " | tag " + CutTagOfRow(row) + "\n";
    }
    for (const std::string& cell : list) {
        const NodeResponse* found = FindResponseOfRow(greet, cell);
        answer += "cell " + cell + ": " + (found ? Describe(*found) : "none") + "\n";
    }
    return answer;
}

// What the tree allows: "drop ID TARGET", "makeroot ID", "move ID" and "child ID".
std::string TreeAnswer(const std::string& line) {
    const auto dialogue = RulesDialogue();
    dialogue->AppendNode(*dialogue->FindNodeById(1), 4, "Mill");
    std::istringstream words(line);
    std::string rule;
    std::int32_t id = 0;
    std::int32_t target = 0;
    words >> rule >> id >> target;
    const bool allowed = rule == "drop"       ? CanDropNode(*dialogue, id, target)
                         : rule == "makeroot" ? CanMakeRoot(*dialogue, id)
                         : rule == "move"     ? IsMovableNode(*dialogue, id)
                                              : CanAddChild(*dialogue, id);
    return allowed ? "allowed" : "refused";
}

std::string RuleAnswer(const std::string& line) {
    const std::size_t space = line.find(' ');
    const std::string rule = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (rule == "statement") {
        return FieldCheckAnswer(CheckStatementField(rest));
    }
    if (rule == "expression") {
        return FieldCheckAnswer(CheckExpressionField(rest));
    }
    if (rule == "retarget") {
        return RetargetAnswer(rest);
    }
    if (rule == "progress") {  // the compile window's bar: COMPILED TOTAL
        std::istringstream words(rest);
        CompileProgress progress;
        words >> progress.compiled >> progress.total;
        return std::to_string(progress.Percent()) + "%";
    }
    if (rule == "names") {
        return NamesAnswer(rest);
    }
    if (rule == "retargetdialogue") {
        return RetargetDialogueAnswer(rest);
    }
    if (rule == "cutrows") {
        return CutRowsAnswer(rest);
    }
    if (rule == "tree") {
        return TreeAnswer(rest);
    }
    const Fields fields(rest);
    return rule == "command"     ? CommandAnswer(fields)
           : rule == "condition" ? ConditionAnswer(fields)
           : rule == "yesno"     ? YesNoAnswer(fields)
           : rule == "list"      ? ListAnswer(fields)
           : rule == "nodename"  ? NodeNameAnswer(fields)
           : rule == "npc"       ? NpcAnswer(fields)
           : rule == "response"  ? ResponseAnswer(fields)
                                 : "unknown rule " + rule;
}

TEST(DialogRuleCases, AnswerAsListed) {
    test::ExpectLineCases(
        std::string(TW_SOURCE_DIR) + "/tests/model/editing/cases/dialog_rules.txt", RuleAnswer);
}

// A chain down to the deepest level the editor shows: nothing goes below its end, and a
// dropped branch may reach the limit but not pass it.
TEST(TreeDepthRules, NothingGoesDeeperThanTheEditorShows) {
    constexpr auto kLimit = static_cast<std::int32_t>(kMaxEditorTreeDepth);
    Dialogue dialogue;
    DialogueNode* end = &dialogue.Root();
    for (std::int32_t id = 1; id < kLimit; ++id) {
        end = &dialogue.AppendNode(*end, id, "N" + std::to_string(id));
    }
    DialogueNode& branch = dialogue.AppendNode(dialogue.Root(), kLimit + 1, "Branch");
    dialogue.AppendNode(branch, kLimit + 2, "Leaf");
    EXPECT_EQ(DialogueDepth(dialogue), kMaxEditorTreeDepth - 1);
    EXPECT_EQ(LevelsBelow(branch), 1u);
    EXPECT_EQ(LevelsAbove(*end), kMaxEditorTreeDepth - 1);

    EXPECT_TRUE(CanAddChild(dialogue, kLimit - 1));
    EXPECT_TRUE(CanDropNode(dialogue, kLimit + 1, kLimit - 2));
    EXPECT_FALSE(CanDropNode(dialogue, kLimit + 1, kLimit - 1));
    EXPECT_TRUE(CanDropNode(dialogue, kLimit + 2, kLimit - 1));
    EXPECT_TRUE(CanMakeRoot(dialogue, kLimit - 1));
    dialogue.AppendNode(*end, kLimit, "Deepest");
    EXPECT_EQ(DialogueDepth(dialogue), kMaxEditorTreeDepth);
    EXPECT_FALSE(CanAddChild(dialogue, kLimit));
    EXPECT_FALSE(CanAddChild(dialogue, kLimit + 9));
    EXPECT_EQ(TooDeepToAddMessage(),
              "The node would lie deeper than 2000 levels, the most the editor shows.");
}

}  // namespace
}  // namespace tw
