// The find bar through its widgets: Ctrl+F, the options, Enter, F3 and Shift+F3, going to
// each kind of result, every open dialogue, and a large dialogue searched in slices.

#include "ui/views/find_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
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
        QTableView* results = Find()->Results();
        for (int i = 0; i < RowCount(*results); ++i)
            texts << RowText(*results, i, column);
        return texts;
    }
    QString SelectedNodeLabel() const { return Tree()->currentItem()->text(0); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
};

TEST_F(FindBarTest, CtrlFFindsEveryFieldAndEnterAndF3WalkTheResults) {
    ASSERT_TRUE(window->OpenDialogueFile(WriteShop("shop.vrx", "gold")));
    Activate();
    EXPECT_FALSE(Find()->isVisible());
    Key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(Find()->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), Find()->Pattern());
    QTest::keyClicks(Find()->Pattern(), "GOLD");
    EXPECT_EQ(Column(0), (QStringList{"Start", "Greet", "Greet", "goldShop", "goldShop"}));
    EXPECT_EQ(Column(1), (QStringList{"Command", "Text", "Response text", "Name", "Comments"}));
    EXPECT_EQ(Column(2).at(2), "Show [gold]");
    EXPECT_EQ(Find()->Results()->accessibleName(), "Find results");
    const QString shots = QString(TW_BINARY_DIR) + "/screenshots";
    QDir().mkpath(shots);

    Key(Qt::Key_Return);  // the command: its node and its row
    EXPECT_EQ(SelectedNodeLabel(), "Start");
    EXPECT_EQ(CommandList()->SelectedRow(), 1);
    EXPECT_TRUE(window->isVisible());  // Enter pressed no default button
    Key(Qt::Key_F3);                   // the rich text: the match selected in the box
    EXPECT_EQ(SelectedNodeLabel(), "Greet");
    EXPECT_EQ(NodeText()->textCursor().selectedText(), "gold");
    EXPECT_TRUE(window->grab().save(shots + "/find_results.png"));
    Key(Qt::Key_F3);  // the response row
    EXPECT_EQ(ResponseList()->SelectedRow(), 1);
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(NodeText()->textCursor().selectedText(), "gold");
    // Round the end of the list.
    Key(Qt::Key_F3);
    Key(Qt::Key_F3);
    Key(Qt::Key_F3);
    Key(Qt::Key_F3);
    EXPECT_EQ(SelectedNodeLabel(), "Start");
    EXPECT_EQ(Find()->Results()->currentIndex().row(), 0);
}

// Escape in the bar hides it and gives the focus back; it never reaches the window, which
// would take it for Quit and ask about the modified dialogue.
TEST_F(FindBarTest, EscapeCloseButtonAndTheSearchMenuHideTheBar) {
    ASSERT_TRUE(window->OpenDialogueFile(WriteShop("shop.vrx", "gold")));
    Current().SetModified(true);
    Activate();
    QTreeWidget* tree = Tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(tree->topLevelItem(0)).center());
    ASSERT_EQ(QApplication::focusWidget(), tree);
    Key(Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(Find()->Pattern(), "gold");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Find()->isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), tree);

    Key(Qt::Key_F, Qt::ControlModifier);
    QTableView* results = Find()->Results();
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, RowRect(*results, 0).center());
    ASSERT_EQ(QApplication::focusWidget(), results);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Find()->isVisible());
    EXPECT_TRUE(window->isVisible());

    auto* shown = window->findChild<QAction*>("showFindBar");
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->isChecked());
    shown->trigger();
    EXPECT_TRUE(Find()->isVisible());
    auto* close = Find()->findChild<QAbstractButton*>("closeFindBar");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->accessibleName(), "Close find bar");
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(Find()->isVisible());
    EXPECT_FALSE(shown->isChecked());
    EXPECT_TRUE(services.Messages().empty());
}

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
    Find()->Results()->setCurrentIndex(Find()->Results()->model()->index(0, 0));
    Key(Qt::Key_Return);
    EXPECT_EQ(SelectedNodeLabel(), "goldShop");
    EXPECT_EQ(Tabs()->currentIndex(), static_cast<int>(Documents().CurrentIndex()));
}

TEST_F(FindBarTest, LargeDialoguesAreSearchedInSlicesBetweenEvents) {
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
    const int first = static_cast<int>(Column(0).size());
    EXPECT_GT(first, 0);
    EXPECT_LT(first, 9000);  // the rest comes in later turns of the event loop
    for (int i = 0; i < 200 && Column(0).size() < 9000; ++i)
        QTest::qWait(5);
    EXPECT_EQ(Column(0).size(), 9000);
}

TEST_F(FindBarTest, DeletingNodesDuringASearchStartsItAgainOnWhatIsLeft) {
    Dialogue large;
    for (int i = 1; i <= 9000; ++i)
        large.AppendNode(large.Root(), i, "n" + std::to_string(i) + " gold");
    large.SetNextNodeId(9001);
    const fs::path path = fs::path(TW_BINARY_DIR) / "find_bar_test" / "delete.vrx";
    fs::create_directories(path.parent_path());
    ASSERT_EQ(large.SaveAs(path.string()), std::nullopt);
    ASSERT_TRUE(window->OpenDialogueFile(path.string()));
    Trigger("find");
    Find()->Pattern()->setText("gold");
    ASSERT_LT(Column(0).size(), 9000);  // the last node is not searched yet
    Select("n9000 gold");
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("deleteBranch");
    ASSERT_EQ(Current().FindNodeById(9000), nullptr);
    for (int i = 0; i < 300 && Column(0).size() < 8999; ++i)
        QTest::qWait(5);
    QTest::qWait(20);
    const QStringList nodes = Column(0);
    EXPECT_EQ(nodes.size(), 8999);
    EXPECT_FALSE(nodes.contains("n9000 gold"));
}

}  // namespace
}  // namespace tw::test
