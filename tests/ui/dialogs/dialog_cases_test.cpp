// The editing dialogs driven by the cases in data/dialog_cases.txt: each case opens a dialog,
// types and clicks as a writer does, and checks what the dialog shows, refuses or gives.

#include <QApplication>

#include "dialog_test_support.h"
#include "model/dialogue.h"
#include "model/editing/choice_description_rules.h"
#include "support/app_test_support.h"
#include "support/dialogue_builder.h"
#include "support/screenshots.h"
#include "ui/dialogs/command_dlg.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/dialogs/create_node.h"
#include "ui/dialogs/list_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/dialogs/yes_no_dlg.h"
#include "ui/platform/text_codec.h"

namespace tw::test {
namespace {

const std::vector<std::string> kNodes{"Trade", "farewell", "Greeting"};

// A response as one line: tag, then the player's text, node and condition, or the cut's.
std::string Describe(const NodeResponse& response) {
    std::string text = response.GetTag() + "|";
    if (const auto* add = dynamic_cast<const NodeResponseAdd*>(&response))
        text += add->GetPlayerText() + "|" + add->GetGotoNode();
    else
        text += "cut " + dynamic_cast<const NodeResponseCut&>(response).GetCutTag() + " " +
                dynamic_cast<const NodeResponseCut&>(response).GetCutText();
    return text + (response.HasCondition() ? "|" + response.GetCondition()->GetExpression() : "");
}

class DialogCasesTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greeting");
        existing = &AddResponse(greet, "A01", "Tell me about the mill", "Greeting");
        context.dialogue = &dialogue;
        dialogue.CollectResponseTags(context.tags);
        context.nodeNames = {"Greeting"};
    }

    std::unique_ptr<CEditingDialog> Make(const QString& kind, const std::string& given) {
        if (kind == "command") {
            DialogueNames names;
            names.nodes = kNodes;
            return std::make_unique<CCommandDlg>(services, nullptr, names);
        }
        if (kind == "yes_no")
            return std::make_unique<CYesNoDlg>(services, std::nullopt, kNodes);
        if (kind == "list")
            return std::make_unique<ListDlg>(services, std::nullopt, kNodes);
        if (kind == "condition")
            return std::make_unique<CConditionalDlg>(
                services, given.empty() ? std::nullopt : std::optional<std::string>(given));
        if (kind == "node" && given.empty())
            return std::make_unique<CCreateNode>(services, "", "", kNodes);
        if (kind == "node")
            return std::make_unique<CCreateNode>(services, given, "", kNodes, "Rename Node");
        if (kind == "response")
            return std::make_unique<CResponseDlg>(services, given.empty() ? nullptr : existing,
                                                  context);
        npc = NPCData{5, "Brannoc", kMale};
        return std::make_unique<CNPCDlg>(services, npc);
    }

    // What the dialog gave, as one line.
    std::string Result(CEditingDialog& dialog) {
        if (auto* command = dynamic_cast<CCommandDlg*>(&dialog)) {
            const auto made = command->TakeCommand();
            return made ? made->GetScriptText() : "<none>";
        }
        if (auto* yesNo = dynamic_cast<CYesNoDlg*>(&dialog))
            return BuildYesNoCommand(yesNo->Result())->GetText();
        if (auto* list = dynamic_cast<ListDlg*>(&dialog))
            return BuildListCommand(list->Result())->GetText();
        if (auto* condition = dynamic_cast<CConditionalDlg*>(&dialog))
            return condition->GetExpression();
        if (auto* node = dynamic_cast<CCreateNode*>(&dialog))
            return node->GetName() + "|" + node->GetDescription();
        if (auto* response = dynamic_cast<CResponseDlg*>(&dialog)) {
            const auto created = response->TakeCreated();
            return Describe(created ? *created : *existing);
        }
        return std::to_string(npc.id) + "|" + npc.name + "|" +
               (npc.gender == kFemale ? "female" : "male");
    }

    // Picks an item of a drop-down list with the arrow keys.
    static void Choose(const CEditingDialog& dialog, int id, const QString& item) {
        auto* box = Get<QComboBox>(dialog, id);
        const int wanted = box->findText(item);
        ASSERT_GE(wanted, 0) << item.toStdString();
        while (box->currentIndex() != wanted)
            QTest::keyClick(box, box->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
    }

    void Step(CEditingDialog& dialog, const QString& verb, const QString& rest) {
        const int id = rest.section(' ', 0, 0).toInt();
        const QString text = rest.section(' ', 1);
        if (verb == "title") {
            EXPECT_EQ(dialog.windowTitle(), rest);
        } else if (verb == "type") {
            Type(dialog, id, text);
        } else if (verb == "add") {
            QTest::keyClicks(EditOf(dialog, id), text);
        } else if (verb == "choose") {
            Choose(dialog, id, text);
        } else if (verb == "click" || verb == "key") {
            if (!nested.empty())
                steps.push_back([this, lines = std::exchange(nested, {})](QDialog& opened) {
                    for (const auto& [nestedVerb, nestedRest] : lines)
                        Step(dynamic_cast<CEditingDialog&>(opened), nestedVerb, nestedRest);
                });
            if (verb == "click")
                Click(dialog, id);
            else
                QTest::keyClick(EditOf(dialog, id),
                                text == "Return" ? Qt::Key_Return : Qt::Key_Escape);
        } else if (verb == "shows") {
            EXPECT_EQ(EditOf(dialog, id)->text(), text);
        } else if (verb == "described") {
            EXPECT_EQ(EditOf(dialog, id)->accessibleDescription(), text);
        } else if (verb == "checked") {
            EXPECT_TRUE(Get<QAbstractButton>(dialog, id)->isChecked());
        } else if (verb == "read-only") {
            EXPECT_TRUE(Get<QLineEdit>(dialog, id)->isReadOnly());
        } else if (verb == "enabled" || verb == "disabled") {
            for (const QString& each : rest.split(' '))
                EXPECT_EQ(Get<QWidget>(dialog, each.toInt())->isEnabled(), verb == "enabled")
                    << each.toStdString();
        } else if (verb == "answer") {
            services.QueueAnswer(rest == "Yes" ? MessageAnswer::kYes : MessageAnswer::kNo);
        } else if (verb == "asked") {
            EXPECT_EQ(services.Messages().back().caption, ToBytes(rest));
            EXPECT_TRUE(dialog.isVisible());
        } else if (verb == "ok-fails") {  // the dialog stays open with this error
            services.QueueAnswer(MessageAnswer::kOk);
            Click(dialog, 1);
            ASSERT_FALSE(services.Messages().empty()) << rest.toStdString();
            EXPECT_EQ(services.Messages().back(),
                      (ScriptedPlatformServices::Message{
                          "Error", ToBytes(rest), MessageButtons::kOk, MessageKind::kError}));
            EXPECT_TRUE(dialog.isVisible());
        } else if (verb == "ok-gives" || verb == "gives") {
            if (verb == "ok-gives") {
                Click(dialog, 1);
                EXPECT_FALSE(dialog.isVisible());
                EXPECT_EQ(dialog.result(), QDialog::Accepted);
            }
            EXPECT_EQ(Result(dialog), ToBytes(rest));
        } else if (verb == "accepted") {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        } else if (verb == "shot") {
            SaveShot(dialog, rest);
        } else if (verb == "closed") {
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
        } else {
            ADD_FAILURE() << "unknown step " << verb.toStdString();
        }
    }

    Dialogue dialogue;
    ResponseContext context;
    NodeResponse* existing = nullptr;
    NPCData npc;
    std::vector<std::pair<QString, QString>> nested;  // steps for the next nested dialog
};

TEST_F(DialogCasesTest, EveryCaseOfTheFile) {
    const std::string text = ReadFile(TW_SOURCE_DIR "/tests/ui/dialogs/data/dialog_cases.txt");
    const QStringList lines = QString::fromStdString(text).split('\n');
    std::unique_ptr<CEditingDialog> opened;
    QString name;
    int cases = 0;
    for (int number = 0; number < lines.size(); ++number) {
        const QString& line = lines[number];
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QString verb = line.section(' ', 0, 0);
        QString rest = line.section(' ', 1);
        SCOPED_TRACE(name.toStdString() + ", line " + std::to_string(number + 1));
        if (verb == "case") {
            name = rest;
            ++cases;
        } else if (verb == "open") {
            opened = Make(rest.section(' ', 0, 0), ToBytes(rest.section(' ', 1)));
            opened->SetDialogRunner(Runner());
            Open(*opened);
            opened->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(opened.get()));
        } else if (verb == "next") {
            nested.emplace_back(rest.section(' ', 0, 0), rest.section(' ', 1));
        } else {
            Step(*opened, verb, rest);
        }
    }
    EXPECT_GT(cases, 10);
}

// Fields that take no typing have the window's colour behind them, also after the
// desktop's palette changes; one that takes typing again looks editable again.
TEST_F(DialogCasesTest, ReadOnlyResponseFieldsLookReadOnly) {
    CResponseDlg dialog(services, nullptr, context);
    Open(dialog);
    const auto looksReadOnly = [&dialog](int id) {
        const QPalette colours = Get<QLineEdit>(dialog, id)->palette();
        return colours.color(QPalette::Base) == colours.color(QPalette::Window);
    };
    EXPECT_TRUE(looksReadOnly(1061));  // the condition is only chosen
    EXPECT_FALSE(looksReadOnly(1036));
    Click(dialog, 1035);
    EXPECT_TRUE(looksReadOnly(1036));
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    QApplication::processEvents();  // the new palette reaches the windows through the loop
    EXPECT_TRUE(looksReadOnly(1036));
    Click(dialog, 1034);
    EXPECT_EQ(Get<QLineEdit>(dialog, 1036)->palette().color(QPalette::Base), QColor(30, 30, 30));
    QApplication::setPalette(saved);
}

}  // namespace
}  // namespace tw::test
