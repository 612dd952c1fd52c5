// The find bar's options, every open dialogue, and a large dialogue searched in slices.

#include "ui/views/find_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextCursor>
#include <filesystem>

#include "model/command_kinds.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

class FindBarTest : public MainWindowTest {
protected:
    // Start (commands), Greet (rich text, a response) and Shop (comments, a name).
    std::string WriteShop(const std::string& name, const std::string& word) {
        Dialogue dialogue;
        dialogue.Root().SetName("Start");
        dialogue.Root().AppendCommand(std::make_unique<CommandManual>("$x = 1"));
        dialogue.Root().AppendCommand(std::make_unique<CommandManual>("$" + word + " = 2"));
        DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greet");
        greet.SetText("{\\rtf1 Hello, the \\b " + word + "\\b0  is here.}");
        greet.SetTextRich(true);
        auto response = std::make_unique<NodeResponseAdd>("A01");
        response->SetPlayerText("Fine");
        response->SetGotoNode("Start");
        greet.AppendResponse(std::make_unique<NodeResponseAdd>("A00"));
        greet.AppendResponse(std::move(response));
        static_cast<NodeResponseAdd&>(*greet.Responses()[1]).SetPlayerText("Show " + word);
        DialogueNode& shop = dialogue.AppendNode(dialogue.Root(), 2, word + "Shop");
        shop.SetComments("no " + word + " today");
        dialogue.SetNextNodeId(3);
        const fs::path dir = fs::path(TW_BINARY_DIR) / "find_bar_test";
        fs::create_directories(dir);
        const std::string path = (dir / name).string();
        EXPECT_EQ(dialogue.SaveAs(path), std::nullopt);
        return path;
    }
    void Activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QStringList Column(int column) const {
        QStringList texts;
        QTreeWidget* results = Find()->Results();
        for (int i = 0; i < results->topLevelItemCount(); ++i)
            texts << results->topLevelItem(i)->text(column);
        return texts;
    }
    QString SelectedNodeLabel() const { return Tree()->currentItem()->text(0); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
};

TEST_F(FindBarTest, OptionsNarrowTheResults) {
    ASSERT_TRUE(window->OpenDialogueFile(WriteShop("shop.vrx", "gold")));
    Trigger("find");
    FindBar& bar = *Find();
    bar.Pattern()->setText("gold");
    EXPECT_EQ(Column(0).size(), 5);
    bar.WholeWords()->setChecked(true);  // not "goldShop"
    EXPECT_EQ(Column(1), (QStringList{"Command", "Text", "Response text", "Comments"}));
    bar.WholeWords()->setChecked(false);
    bar.Pattern()->setText("Gold");
    bar.MatchCase()->setChecked(true);
    EXPECT_TRUE(Column(0).isEmpty());
    bar.MatchCase()->setChecked(false);
    bar.LookIn()->setCurrentText("Comments");
    Trigger("find");
    EXPECT_EQ(Column(1), QStringList{"Comments"});
    bar.LookIn()->setCurrentText("Node text");
    Trigger("find");
    EXPECT_EQ(Column(1), QStringList{"Text"});
}

TEST_F(FindBarTest, FindInAllOpenDialoguesGoesToTheOtherTab) {
    ASSERT_TRUE(window->OpenDialogueFile(WriteShop("first.vrx", "gold")));
    ASSERT_TRUE(window->OpenDialogueFile(WriteShop("second.vrx", "silver")));
    Activate();
    Key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(Find()->isVisible());
    ASSERT_EQ(Documents().Count(), 2u);
    QTest::keyClicks(Find()->Pattern(), "Shop");
    const QStringList nodes = Column(0);
    ASSERT_EQ(nodes.size(), 2);
    EXPECT_TRUE(nodes[0].endsWith(": goldShop"));
    EXPECT_TRUE(nodes[1].endsWith(": silverShop"));
    const std::size_t before = Documents().CurrentIndex();
    Key(Qt::Key_Return);
    Key(Qt::Key_F3);
    EXPECT_EQ(SelectedNodeLabel(), "silverShop");
    EXPECT_NE(Documents().CurrentIndex(), before == 0 ? 1u : 0u);
    Find()->Results()->setFocus();
    Find()->Results()->setCurrentItem(Find()->Results()->topLevelItem(0));
    Key(Qt::Key_Return);
    EXPECT_EQ(SelectedNodeLabel(), "goldShop");
    EXPECT_EQ(Tabs()->currentIndex(), static_cast<int>(Documents().CurrentIndex()));
}

// A large dialogue is searched in slices between events; nodes deleted meanwhile start the
// search again on what is left.
TEST_F(FindBarTest, LargeDialoguesAreSearchedInSlicesAndDeletionsStartAgain) {
    Dialogue large;
    for (int i = 1; i <= 9000; ++i)
        large.AppendNode(large.Root(), i, "n" + std::to_string(i) + " gold");
    large.SetNextNodeId(9001);
    const fs::path path = fs::path(TW_BINARY_DIR) / "find_bar_test" / "large.vrx";
    fs::create_directories(path.parent_path());
    ASSERT_EQ(large.SaveAs(path.string()), std::nullopt);
    ASSERT_TRUE(window->OpenDialogueFile(path.string()));
    Trigger("find");
    Find()->Pattern()->setText("gold");
    EXPECT_GT(Column(0).size(), 0);
    ASSERT_LT(Column(0).size(), 9000);  // the last node is not searched yet
    Select("n9000 gold");
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("deleteBranch");
    for (int i = 0; i < 300 && Column(0).size() < 8999; ++i)
        QTest::qWait(5);
    QTest::qWait(20);
    EXPECT_EQ(Column(0).size(), 8999);
    EXPECT_FALSE(Column(0).contains("n9000 gold"));
}

}  // namespace
}  // namespace tw::test
