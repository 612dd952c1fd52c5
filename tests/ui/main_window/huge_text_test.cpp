// A name of megabytes, as another tool may write one, is shown cut short wherever a control
// lays it out and stays whole where the writer edits it.

#include "generator/dialogue_generator.h"
#include "main_window_fixture.h"
#include "model/text/shown_text.h"
#include "support/dialogue_builder.h"
#include "ui/platform/text_codec.h"

namespace tw::test {
namespace {

constexpr std::size_t kHugeName = 2 * 1024 * 1024;
constexpr std::int32_t kNodeId = 2;

class HugeTextTest : public MainWindowTest {
protected:
    // A generated dialogue written to a file and opened, node 2 first given the name and a
    // response back to itself.
    void OpenWithName(const std::string& name, const std::string& said = "Once more.") {
        std::unique_ptr<Dialogue> dialogue = GenerateDialogue({.nodes = 40, .seed = 7});
        DialogueNode& node = *dialogue->FindNodeById(kNodeId);
        node.SetName(name);
        node.SetDescription({});
        AddResponse(node, "H01", said, name);
        dialogue->Npc().name = name;
        ASSERT_TRUE(window->OpenDialogueFile(dir.Write("huge.vrx", dialogue->Write())));
    }

    TempDir dir{"huge_text"};
};

// Shown, edited and quoted in the questions.
TEST_F(HugeTextTest, AHugeNameIsShownCutShortAndEditedWhole) {
    const std::string name(kHugeName, 'N');
    // The untitled dialogue, kept beside the file, shows its NPC's name in the title.
    Current().SetScratch(false);
    Current().Npc().name = name;
    OpenWithName(name);
    const QString shown = QString(kLabelLimit.characters, 'N') + QChar(0x2026);
    EXPECT_EQ(TabTitles(), (QStringList{shown, shown}));
    Select(shown);
    const int back = ResponseList()->RowCount() - 1;
    EXPECT_EQ(ResponseList()->topLevelItem(back)->text(3), shown);
    EXPECT_EQ(ResponseList()->ItemText(back, 3).size(), static_cast<qsizetype>(kHugeName));
    QString named;
    steps.push_back([&named](QDialog& dialog) {
        for (auto* edit : dialog.findChildren<QLineEdit*>()) {
            if (edit->accessibleName() == "Name:") {
                named = edit->text();
            }
        }
    });
    Trigger("rename");
    EXPECT_EQ(named, FromBytes(name));
    EXPECT_EQ(Node(name).GetName().size(), kHugeName);

    // The node menu's questions quote the name cut short; No leaves the node as it was.
    const std::size_t responses = Node(name).Responses().size();
    std::string cut(kLabelLimit.characters, 'N');
    cut.push_back(kEllipsisByte);
    const std::pair<const char*, std::string> questions[] = {
        {"clearNode", "Are you sure you want to clear node " + cut + "?"},
        {"deleteBranch",
         "Are you sure you want to delete node " + cut + " and all of its children?"},
    };
    for (const auto& [action, question] : questions) {
        services.QueueAnswer(MessageAnswer::kNo);
        Trigger(action);
        EXPECT_EQ(services.Messages().back().text, question);
    }
    EXPECT_EQ(Node(name).Responses().size(), responses);
    // The NPC has the name too: closing the changed dialogue asks about it cut short.
    NodeText()->setFocus();
    QTest::keyClicks(NodeText(), "x");
    services.QueueAnswer(MessageAnswer::kCancel);
    Trigger("closeDialogue");
    EXPECT_EQ(services.Messages().back().text, "Save changes to " + cut + "?");

    ClickTab(0);
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- " + shown);
}

// A cell shown cut short is edited whole, and stored whole.
TEST_F(HugeTextTest, ACutCellIsEditedWhole) {
    const std::string said(2000, 'w');
    OpenWithName("Ferry", said);
    Select("Ferry");
    const int back = ResponseList()->RowCount() - 1;
    EXPECT_EQ(ResponseList()->topLevelItem(back)->text(2),
              QString(kLabelLimit.characters, 'w') + QChar(0x2026));
    CInPlaceEdit* editor = EditCell(*ResponseList(), back, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), FromBytes(said));
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, "!");
    QTest::keyClick(editor, Qt::Key_Return);
    const auto& responses = Node("Ferry").Responses();
    EXPECT_EQ(static_cast<const NodeResponseAdd&>(*responses.back()).GetPlayerText(), said + "!");
    EXPECT_EQ(ResponseList()->ItemText(back, 2), FromBytes(said + "!"));
}

}  // namespace
}  // namespace tw::test
