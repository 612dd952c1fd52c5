// The description, condition, response, node, NPC, comments and About dialogs through their
// widgets.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "dialog_test_support.h"
#include "model/dialogue.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/dialogs/create_node.h"
#include "ui/dialogs/list_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/dialogs/yes_no_dlg.h"

namespace tw::test {
namespace {

const std::vector<std::string> kNodes{"Greeting", "Trade", "Farewell"};

TEST_F(DialogTest, YesNoStartsWithYesAndNoAndNeedsEveryField) {
    CYesNoDlg dialog(services, std::nullopt, kNodes);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Describe Multiple Choice Command");
    EXPECT_EQ(Text(dialog, 1056), "Yes");
    EXPECT_EQ(Text(dialog, 1057), "No");
    EXPECT_EQ(Text(dialog, 1058), "");
    OkFails(dialog, "Please fill in all fields.");
    Type(dialog, 1058, "Trade");
    Type(dialog, 1059, "Farewell");
    OkSucceeds(dialog);
    EXPECT_EQ(dialog.Result(), (YesNoFields{{"Yes", "No"}, {"Trade", "Farewell"}}));
}

TEST_F(DialogTest, ListRowsNeedNodesAndTheReturnRowIsNeeded) {
    ListDlg dialog(services, std::nullopt, kNodes);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Describe List Command");
    OkFails(dialog, "Please enter a return choice and node.");
    Type(dialog, 1064, "Maybe");
    Type(dialog, 1135, "x > 1");
    OkFails(dialog, "Please choose a node for each choice.");
    Type(dialog, 1064, "");
    Type(dialog, 1061, "Trade");  // a node without a choice is left out
    Type(dialog, 1117, "Bye");
    Type(dialog, 1079, "Farewell");
    OkSucceeds(dialog);
    EXPECT_EQ(BuildListCommand(dialog.Result())->GetText(), "list \"Bye\"->Farewell");
    // Opened again on what was described, every row shows it.
    ListDlg again(services, dialog.Result(), kNodes);
    EXPECT_EQ(Text(again, 1061), "Trade");
    EXPECT_EQ(Text(again, 1135), "x > 1");
    EXPECT_EQ(Text(again, 1117), "Bye");
}

TEST_F(DialogTest, ConditionOpensOnComplexWhenGivenAnExpression) {
    CConditionalDlg given(services, std::string("kMet"));
    Open(given);
    EXPECT_TRUE(Get<QRadioButton>(given, 1054)->isChecked());
    EXPECT_EQ(Text(given, 1055), "kMet");
    EXPECT_EQ(Get<QComboBox>(given, 1048)->currentText(), "== (EQUAL)");
    EXPECT_EQ(Get<QComboBox>(given, 1067)->itemText(1), "FALSE");
    Type(given, 1055, " ");
    OkFails(given, "You must enter a boolean expression");

    CConditionalDlg fresh(services, std::nullopt);
    Open(fresh);
    EXPECT_TRUE(Get<QRadioButton>(fresh, 1053)->isChecked());
    Type(fresh, 1045, "my flag");
    OkFails(fresh,
            "Both sides of the expression must contain values (constants, variables, "
            "flags, or complex expressions)");
    Type(fresh, 1067, "TRUE");
    OkSucceeds(fresh);
    EXPECT_EQ(fresh.GetExpression(), "(my flag) == TRUE");
    // Typing into a form's field chooses that form.
    CConditionalDlg typed(services, std::nullopt);
    Open(typed);
    QTest::keyClicks(Get<QLineEdit>(typed, 1049), "a");
    QTest::keyClicks(Get<QLineEdit>(typed, 1050), "b");
    EXPECT_TRUE(Get<QRadioButton>(typed, 1043)->isChecked());
    OkSucceeds(typed);
    EXPECT_EQ(typed.GetExpression(), "a AND b");
}

class ResponseDlgTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greeting");
        auto add = std::make_unique<NodeResponseAdd>("A01");
        add->SetPlayerText("Tell me about the mill");
        add->SetGotoNode("Greeting");
        existing = &greet.AppendResponse(std::move(add));
        context.dialogue = &dialogue;
        dialogue.CollectResponseTags(context.tags);
        context.nodeNames = {"Greeting"};
    }
    Dialogue dialogue;
    ResponseContext context;
    NodeResponse* existing = nullptr;
};

TEST_F(ResponseDlgTest, CreatingAnAddResponseWithWarnings) {
    CResponseDlg dialog(services, nullptr, context);
    dialog.SetDialogRunner(script.Runner());
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Create Response");
    EXPECT_FALSE(Get<QLineEdit>(dialog, 1037)->isReadOnly());
    EXPECT_TRUE(Enabled(dialog, 1038));
    EXPECT_FALSE(Enabled(dialog, 1039));
    Type(dialog, 1037, " C 1 ");
    Type(dialog, 1036, "Hi");
    Type(dialog, 1040, "Nowhere");
    OkFails(dialog,
            "The response tag may only contain alphanumeric characters (including "
            "the underscore character)");
    Type(dialog, 1037, " a01 ");
    services.QueueAnswer(MessageAnswer::kNo);
    Click(dialog, 1);
    EXPECT_EQ(services.Messages().back().caption, "Warning");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    services.QueueAnswer(MessageAnswer::kYes);
    services.QueueAnswer(MessageAnswer::kYes);
    Click(dialog, 1060);
    services.QueueAnswer(MessageAnswer::kOk);
    Click(dialog, 1);
    EXPECT_EQ(services.Messages().back().text, "You must choose a conditional expression");
    script.Then([this](QDialog& opened) {
        auto& conditional = dynamic_cast<CConditionalDlg&>(opened);
        Click(conditional, 1054);
        Type(conditional, 1055, "$x > 1");
        OkSucceeds(conditional);
    });
    Click(dialog, 1062);
    EXPECT_EQ(Text(dialog, 1061), "$x > 1");
    services.QueueAnswer(MessageAnswer::kYes);
    services.QueueAnswer(MessageAnswer::kYes);
    OkSucceeds(dialog);
    const auto created = dialog.TakeCreated();
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetTag(), "a01");
    EXPECT_EQ(dynamic_cast<const NodeResponseAdd&>(*created).GetGotoNode(), "Nowhere");
    EXPECT_EQ(created->GetCondition()->GetExpression(), "$x > 1");
}

TEST_F(ResponseDlgTest, EditingKeepsTheTagAndARefusedOkChangesNothing) {
    CResponseDlg dialog(services, existing, context);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Edit Response");
    EXPECT_TRUE(Get<QLineEdit>(dialog, 1037)->isReadOnly());
    EXPECT_FALSE(Enabled(dialog, 1038));
    EXPECT_FALSE(Enabled(dialog, 1035));
    EXPECT_EQ(Text(dialog, 1040), "Greeting");
    Type(dialog, 1036, "Changed");
    Click(dialog, 1060);
    OkFails(dialog, "You must choose a conditional expression");
    EXPECT_EQ(dynamic_cast<NodeResponseAdd&>(*existing).GetPlayerText(), "Tell me about the mill");
}

TEST_F(ResponseDlgTest, CutRowsCarryTheQuotedTextAndGiveTheTag) {
    CResponseDlg dialog(services, nullptr, context);
    Open(dialog);
    Click(dialog, 1035);
    EXPECT_FALSE(Enabled(dialog, 1040));
    EXPECT_TRUE(Get<QLineEdit>(dialog, 1036)->isReadOnly());
    QComboBox* box = Get<QComboBox>(dialog, 1039);
    ASSERT_EQ(box->count(), 1);
    EXPECT_EQ(box->itemText(0), "A01 - \"Tell me about the mill\"");
    box->setCurrentIndex(0);
    OkSucceeds(dialog);
    const auto created = dialog.TakeCreated();
    const auto& cut = dynamic_cast<const NodeResponseCut&>(*created);
    EXPECT_EQ(cut.GetCutTag(), "A01");
    EXPECT_EQ(cut.GetCutText(), "Tell me about the mill");
}

// A field that takes no typing has the window's colour behind its text, also after the
// desktop's palette changes; one that takes typing again looks editable again.
TEST_F(ResponseDlgTest, ReadOnlyFieldsLookReadOnly) {
    CResponseDlg dialog(services, nullptr, context);
    Open(dialog);
    const auto looksReadOnly = [&dialog](int id) {
        const QPalette colours = Get<QLineEdit>(dialog, id)->palette();
        return colours.color(QPalette::Base) == colours.color(QPalette::Window);
    };
    EXPECT_TRUE(looksReadOnly(1061));  // the condition is only chosen
    EXPECT_FALSE(looksReadOnly(1036));
    MouseClick(Get<QRadioButton>(dialog, 1035));
    EXPECT_TRUE(looksReadOnly(1036));
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    QApplication::processEvents();  // the new palette reaches the windows through the loop
    EXPECT_EQ(Get<QLineEdit>(dialog, 1036)->palette().color(QPalette::Base), QColor(45, 45, 48));
    MouseClick(Get<QRadioButton>(dialog, 1034));
    EXPECT_EQ(Get<QLineEdit>(dialog, 1036)->palette().color(QPalette::Base), QColor(30, 30, 30));
    QApplication::setPalette(saved);
}

TEST_F(DialogTest, NodeNamesFollowTheRules) {
    CCreateNode fresh(services, "", "", kNodes);
    Open(fresh);
    EXPECT_EQ(fresh.windowTitle(), "Create a New Node");
    OkFails(fresh, "Please type a name first.");
    Type(fresh, 1014, "Ask\tMill");
    OkFails(fresh, "That is not a legal name -- node names may not contain spaces.");
    Type(fresh, 1014, "trade");
    OkFails(fresh,
            "The node name \"trade\" already exists in this dialogue.  Please choose "
            "another.");
    Type(fresh, 1014, "  AskMill ");
    Type(fresh, 1015, " the mill ");
    OkSucceeds(fresh);
    EXPECT_EQ(fresh.GetName(), "AskMill");
    EXPECT_EQ(fresh.GetDescription(), "the mill");

    CCreateNode rename(services, "Trade", "d", kNodes, "Rename Node");
    Open(rename);
    EXPECT_EQ(rename.windowTitle(), "Rename Node");
    EXPECT_EQ(Text(rename, 1014), "Trade");
    Type(rename, 1014, "TRADE");
    OkSucceeds(rename);
    EXPECT_EQ(rename.GetName(), "TRADE");
}

TEST_F(DialogTest, NpcDataIsCheckedAndWrittenOnOk) {
    NPCData npc{5, "Brannoc", kMale};
    CNPCDlg dialog(services, npc);
    Open(dialog);
    EXPECT_EQ(Text(dialog, 1064), "5");
    EXPECT_EQ(Get<QComboBox>(dialog, 1066)->currentText(), "Male");
    QLineEdit* id = Get<QLineEdit>(dialog, 1064);
    id->clear();
    QTest::keyClicks(id, "4x2");  // digits only
    EXPECT_EQ(id->text(), "42");
    Type(dialog, 1065, "   ");
    OkFails(dialog, "Please fill in all fields.");
    EXPECT_EQ(npc.name, "Brannoc");
    Type(dialog, 1065, " Hedda ");
    Get<QComboBox>(dialog, 1066)->setCurrentIndex(1);
    QTest::keyClicks(id, "99999999999");  // more than the file's 32-bit field holds
    services.QueueAnswer(MessageAnswer::kOk);
    MouseClick(Get<QPushButton>(dialog, 1));
    EXPECT_EQ(services.Messages().back().text,
              "The NPC ID must be a whole number no larger than 2147483647.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(npc.id, 5);
    id->clear();
    QTest::keyClicks(id, "42");
    MouseClick(Get<QPushButton>(dialog, 1));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(npc.id, 42);
    EXPECT_EQ(npc.name, "Hedda");
    EXPECT_EQ(npc.gender, kFemale);
}

// The About box shows the icon installed for the program, and is wide enough for its
// title beside a title bar's icon and buttons.
TEST_F(DialogTest, AboutShowsTheProgramIconAndItsWholeTitle) {
    CAboutDlg about;
    about.show();
    const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
    const QImage installed = QImage(TW_SOURCE_DIR "/data/icons/48x48/org.talkwright.Talkwright.png")
                                 .convertToFormat(premultiplied);
    ASSERT_FALSE(installed.isNull());
    int icons = 0;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (label->accessibleName() == "Program icon") {
            EXPECT_TRUE(label->pixmap().toImage().convertToFormat(premultiplied) == installed);
            ++icons;
        }
    }
    EXPECT_EQ(icons, 1);
    QFont bold = about.font();
    bold.setBold(true);
    EXPECT_GE(about.width(), QFontMetrics(bold).horizontalAdvance(about.windowTitle()) + 100);
}

TEST_F(DialogTest, CommentsStylesFollowTheSelection) {
    CCommentsDlg dialog(services,
                        "plain \x02"
                        "Bbold\x03"
                        "B \x04\xff\x01\x01red");
    dialog.show();
    CStyleEditCtrl* editor = dialog.Editor();
    EXPECT_EQ(dialog.ColorList()->currentText(), "Black");
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(7);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    EXPECT_TRUE(dialog.StyleButton(1074)->isChecked());
    cursor.setPosition(12);
    cursor.setPosition(14, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    EXPECT_FALSE(dialog.StyleButton(1074)->isChecked());
    EXPECT_EQ(dialog.ColorList()->currentText(), "Red");
    dialog.StyleButton(1075)->click();
    EXPECT_TRUE(editor->IsItalic());
    dialog.accept();
    EXPECT_EQ(dialog.GetComments(),
              "plain \x02"
              "Bbold\x03"
              "B \x04\xff\x01\x01r\x02"
              "Ied");
    CCommentsDlg empty(services, "");
    EXPECT_TRUE(empty.Editor()->toPlainText().isEmpty());
}

}  // namespace
}  // namespace tw::test
