#include "model/editing/response_dialog_rules.h"

#include <gtest/gtest.h>

#include "model/dialogue.h"

namespace tw {
namespace {

class ResponseRulesTest : public testing::Test {
protected:
    void SetUp() override {
        DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greeting");
        dialogue.AppendNode(dialogue.Root(), 2, "Farewell");
        auto add = std::make_unique<NodeResponseAdd>("A01");
        add->SetPlayerText("Tell me about the mill, please");
        add->SetGotoNode("Farewell");
        greet.AppendResponse(std::move(add));
        auto cut = std::make_unique<NodeResponseCut>();
        cut->SetCutTag("B01");
        greet.AppendResponse(std::move(cut));
        context.dialogue = &dialogue;
        dialogue.CollectResponseTags(context.tags);
        context.nodeNames = {"Greeting", "Farewell"};
    }

    static ResponseFields Add(std::string tag, std::string text, std::string node) {
        ResponseFields fields;
        fields.tag = std::move(tag);
        fields.text = std::move(text);
        fields.gotoNode = std::move(node);
        return fields;
    }
    static ResponseFields Cut(std::string row) {
        ResponseFields fields;
        fields.addMode = false;
        fields.cutRow = std::move(row);
        return fields;
    }
    static OkSteps Error(const char* text) { return {OkStep{OkStep::kError, text}}; }

    Dialogue dialogue;
    ResponseContext context;
};

TEST_F(ResponseRulesTest, AddChecksBlanksThenTheTagsCharacters) {
    EXPECT_EQ(CheckResponseFields(Add(" ", "x", "y"), context),
              Error("The response tag must not be blank"));
    EXPECT_EQ(CheckResponseFields(Add("C01", " ", ""), context),
              Error("The response string must not be blank"));
    EXPECT_EQ(CheckResponseFields(Add("C01", "Hi", "\t"), context),
              Error("The goto-node must not be blank"));
    const OkSteps alnum = Error(
        "The response tag may only contain alphanumeric characters (including the underscore "
        "character)");
    EXPECT_EQ(CheckResponseFields(Add("C 01", "Hi", "Farewell"), context), alnum);
    EXPECT_EQ(CheckResponseFields(Add("C-01", "Hi", "Farewell"), context), alnum);
    EXPECT_EQ(CheckResponseFields(Add("  C_01 ", "Hi", "farewell"), context), OkSteps{});
}

TEST_F(ResponseRulesTest, AddWarnsOfATagInUseAndAMissingNode) {
    const OkSteps steps = CheckResponseFields(Add("a01", "Hi", "Nowhere"), context);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0], (OkStep{OkStep::kQuestion,
                                "The response tag \"a01\" is already used by this dialogue.  "
                                "Are you sure you want to re-use it here?  (Note that this "
                                "will result in ambiguous branching if it is not corrected)"}));
    EXPECT_EQ(steps[1],
              (OkStep{OkStep::kQuestion, "The node \"Nowhere\" does not exist.  Are you sure?"}));
    // The response keeps its own tag without a question.
    context.currentTag = "A01";
    EXPECT_EQ(CheckResponseFields(Add("a01", "Hi", "Greeting"), context), OkSteps{});
}

TEST_F(ResponseRulesTest, ATickedConditionMustBeChosenBeforeAnythingIsWritten) {
    ResponseFields fields = Add("C01", "Hi", "Nowhere");
    fields.hasCondition = true;
    const OkSteps steps = CheckResponseFields(fields, context);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].kind, OkStep::kQuestion);
    EXPECT_EQ(steps[1], (OkStep{OkStep::kError, "You must choose a conditional expression"}));
    EXPECT_TRUE(EndsInError(steps));
    fields.condition = "$x > 1";
    const auto response = BuildResponse(fields, context);
    ASSERT_NE(response->GetCondition(), nullptr);
    EXPECT_EQ(response->GetCondition()->GetExpression(), "$x > 1");
    fields.hasCondition = false;
    ApplyResponseFields(fields, context, *response);
    EXPECT_FALSE(response->HasCondition());
}

TEST_F(ResponseRulesTest, AddWritesTrimmedFields) {
    const auto response = BuildResponse(Add(" C01 ", "  Hello there ", " Farewell "), context);
    const auto& add = dynamic_cast<const NodeResponseAdd&>(*response);
    EXPECT_EQ(add.GetTag(), "C01");
    EXPECT_EQ(add.GetPlayerText(), "Hello there");
    EXPECT_EQ(add.GetGotoNode(), "Farewell");
    const ResponseFields back = FieldsOfResponse(add);
    EXPECT_TRUE(back.addMode);
    EXPECT_EQ(back.tag, "C01");
    EXPECT_EQ(back.gotoNode, "Farewell");
    EXPECT_FALSE(back.hasCondition);
}

TEST_F(ResponseRulesTest, CutTakesTheTagOfARowAndCopiesItsText) {
    const std::vector<std::string> rows = CutBoxRows({"A01", "Z09"}, dialogue);
    EXPECT_EQ(rows, (std::vector<std::string>{"A01 - \"Tell me about the mill, please\"", "Z09"}));
    EXPECT_EQ(CutTagOfRow(rows[0]), "A01");
    EXPECT_EQ(CutTagOfRow("  B01  "), "B01");
    EXPECT_EQ(CheckResponseFields(Cut(rows[0]), context), OkSteps{});
    const auto response = BuildResponse(Cut(rows[0]), context);
    const auto& cut = dynamic_cast<const NodeResponseCut&>(*response);
    EXPECT_EQ(cut.GetTag(), "");
    EXPECT_EQ(cut.GetCutTag(), "A01");
    EXPECT_EQ(cut.GetCutText(), "Tell me about the mill, please");
    EXPECT_EQ(FieldsOfResponse(cut).cutRow, "A01");
    EXPECT_FALSE(FieldsOfResponse(cut).addMode);
}

TEST_F(ResponseRulesTest, CutRefusesABlankAndAsksAboutAnUnknownTag) {
    EXPECT_EQ(CheckResponseFields(Cut("   "), context),
              Error("The response tag must not be blank"));
    EXPECT_EQ(
        CheckResponseFields(Cut("Q07 - \"gone\""), context),
        (OkSteps{{OkStep::kQuestion, "The response tag \"Q07\" does not exist.  Are you sure?"}}));
    // B01 is only cut, never added: no text to copy.
    const auto response = BuildResponse(Cut("B01"), context);
    EXPECT_EQ(dynamic_cast<const NodeResponseCut&>(*response).GetCutText(), "");
}

TEST_F(ResponseRulesTest, RowsFindTheirResponseByTagOrHashTag) {
    DialogueNode& greet = *dialogue.FindNodeByName("Greeting");
    EXPECT_EQ(FindResponseOfRow(greet, "a01"), greet.Responses()[0].get());
    EXPECT_EQ(FindResponseOfRow(greet, "#b01"), greet.Responses()[1].get());
    EXPECT_EQ(FindResponseOfRow(greet, "B01"), nullptr);
    EXPECT_EQ(FindResponseOfRow(greet, ""), nullptr);
}

}  // namespace
}  // namespace tw
