// Every editing dialog filled in as a writer would, grabbed to PNG files under
// <build>/screenshots for a look by eye; the test checks that each picture has content.

#include <QDir>

#include "dialog_test_support.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/command_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/dialogs/create_node.h"
#include "ui/dialogs/list_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/dialogs/yes_no_dlg.h"

namespace tw::test {
namespace {

class DialogsScreenshotTest : public DialogTest {
protected:
    static void Grab(QDialog& dialog, const QString& name) {
        dialog.show();
        dialog.adjustSize();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const QString dir = QString(TW_BINARY_DIR) + "/screenshots";
        QDir().mkpath(dir);
        const QImage image = dialog.grab().toImage();
        EXPECT_GT(image.width(), 200);
        EXPECT_TRUE(image.save(dir + "/" + name + ".png"));
        dialog.hide();
    }
    const std::vector<std::string> nodes{"Greeting", "Trade", "Farewell"};
};

TEST_F(DialogsScreenshotTest, EveryDialogFilledIn) {
    DialogueNames names;
    names.nodes = nodes;
    CommandConditionalVariable assign("$mood", "$gold > 10", "'happy'", "true + 1");
    assign.SetCondition(std::make_unique<Conditional>("kMetOrvane"));
    CCommandDlg command(services, &assign, names);
    Grab(command, "command_dlg");

    CConditionalDlg condition(services, std::nullopt);
    Type(condition, 1045, "$gold");
    Type(condition, 1067, "5");
    Type(condition, 1055, "kMet and (kPaid or");
    Grab(condition, "conditional_dlg");

    CYesNoDlg yesNo(services, YesNoFields{{"Yes", "No"}, {"Trade", "Farewell"}}, nodes);
    Grab(yesNo, "yes_no_dlg");

    ListFields list;
    list.choices[0] = "Tell me about the mill";
    list.nodes[0] = "Trade";
    list.conditions[0] = "kMetOrvane";
    list.choices[1] = "Any work?";
    list.nodes[1] = "Trade";
    list.conditions[1] = "$gold >";
    list.returnChoice = "Goodbye";
    list.returnNode = "Farewell";
    ListDlg listDlg(services, list, nodes);
    Grab(listDlg, "list_dlg");

    Dialogue dialogue;
    DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greeting");
    auto add = std::make_unique<NodeResponseAdd>("A01");
    add->SetPlayerText("Tell me about the mill");
    add->SetGotoNode("Trade");
    add->SetCondition(std::make_unique<Conditional>("$gold >= 5"));
    NodeResponse& response = greet.AppendResponse(std::move(add));
    ResponseContext context;
    context.dialogue = &dialogue;
    dialogue.CollectResponseTags(context.tags);
    context.nodeNames = nodes;
    CResponseDlg responseDlg(services, &response, context);
    Grab(responseDlg, "response_dlg");

    CCreateNode node(services, "AskAboutMill", "first meeting", nodes, "Rename Node");
    Grab(node, "create_node");
    NPCData npc{12, "Brannoc the Innkeeper", kMale};
    CNPCDlg npcDlg(services, npc);
    Grab(npcDlg, "npc_dlg");
    CCommentsDlg comments(services, DefaultNpcComments());
    Grab(comments, "comments_dlg");
    CAboutDlg about;
    Grab(about, "about_dlg");
}

}  // namespace
}  // namespace tw::test
