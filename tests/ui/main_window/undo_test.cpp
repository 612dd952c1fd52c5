// Undo and redo of every kind of change through the real widgets: each change undone gives
// the document's JSON form back byte for byte, redone gives the changed form, and the
// modified mark follows the clean point.

#include <QTest>

#include "ui/controls/in_place_edit.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/main_window/commands_fixture.h"

namespace tw::test {
namespace {

struct Change {
    const char* step;  // the name the Edit menu gives it
    std::function<void(CommandsTest&)> make;
};

std::vector<Change> EveryChange() {
    using T = CommandsTest;
    return {
        {"Add Command",
         [](T& t) {
             t.steps.push_back(T::Fill({{1018, "set kSeen = TRUE"}}));
             t.Press(control_id::kAddCommand);
         }},
        {"Edit Command",
         [](T& t) {
             t.CommandList()->SelectRow(2);
             t.steps.push_back(T::Fill({{1041, "Farewell"}}));
             t.Press(control_id::kEditCommand);
         }},
        {"Delete Command",
         [](T& t) {
             t.SelectRows(*t.CommandList(), {0, 2});
             t.Press(control_id::kDeleteCommand);
         }},
        {"Cut Commands",
         [](T& t) {
             t.SelectRows(*t.CommandList(), {1, 3});
             t.Trigger("cut");
         }},
        {"Paste Commands",
         [](T& t) {
             t.SelectRows(*t.CommandList(), {0, 1});
             t.Trigger("copy");
             t.Select("Farewell");
             t.Trigger("paste");
         }},
        {"Move Command", [](T& t) { t.DragRow(*t.CommandList(), 0, 3); }},
        {"Add Response",
         [](T& t) {
             t.steps.push_back([](QDialog& opened) {
                 auto& dialog = dynamic_cast<CEditingDialog&>(opened);
                 dialog.Control<QAbstractButton>(1038)->click();
                 T::Fill({{1036, "Goodbye"}, {1040, "Farewell"}})(opened);
             });
             t.Press(control_id::kAddResponse);
         }},
        {"Edit Response",
         [](T& t) {
             t.ResponseList()->SelectRow(0);
             t.steps.push_back(T::Fill({{1036, "Farewell, friend"}}));
             t.Press(control_id::kEditResponse);
         }},
        {"Delete Response",
         [](T& t) {
             t.SelectRows(*t.ResponseList(), {0, 2});
             t.Press(control_id::kDeleteResponse);
         }},
        {"Paste Responses",
         [](T& t) {
             t.SelectRows(*t.ResponseList(), {1});
             t.Trigger("copy");
             t.Select("Shop [sells ale]");
             t.Trigger("paste");
         }},
        {"Move Response", [](T& t) { t.DragRow(*t.ResponseList(), 0, 2); }},
        {"Edit Response Text",
         [](T& t) {
             CInPlaceEdit* editor = T::EditCell(*t.ResponseList(), 0, 2);
             ASSERT_NE(editor, nullptr);
             editor->selectAll();
             QTest::keyClicks(editor, "Well met.");
             QTest::keyClick(editor, Qt::Key_Return);
         }},
        {"Typing",
         [](T& t) {
             QTest::keyClicks(t.NodeText(), "Welcome");
             QTest::keyClicks(t.NodeText(), ", stranger");
         }},
        {"Comments", [](T& t) { QTest::keyClicks(t.Comments(), "note"); }},
        {"NPC Properties",
         [](T& t) {
             t.steps.push_back(T::Fill({{1065, "Orla"}, {1064, "17"}}));
             t.Press(control_id::kEditNpcProperties);
         }},
        {"NPC Comments",
         [](T& t) {
             t.steps.push_back([](QDialog& opened) {
                 dynamic_cast<CCommentsDlg&>(opened).Editor()->SetStyledText("Shy");
                 opened.accept();
             });
             t.Press(control_id::kEditNpcComments);
         }},
        {"Rename Node",
         [](T& t) {
             t.steps.push_back(T::Fill({{1014, "Hello"}, {1015, "greets"}}));
             t.Trigger("rename");
         }},
        {"Add New Node",
         [](T& t) {
             t.steps.push_back(T::Fill({{1014, "Cellar"}}));
             t.Trigger("addNewNode");
         }},
        {"Clear Node",
         [](T& t) {
             t.services.QueueAnswer(MessageAnswer::kYes);
             t.Trigger("clearNode");
         }},
        {"Delete Branch",
         [](T& t) {
             t.services.QueueAnswer(MessageAnswer::kYes);
             t.Trigger("deleteBranch");
         }},
        {"Make Root",
         [](T& t) {
             t.Select("Shop [sells ale]");
             t.Trigger("makeRoot");
         }},
        {"Move Node",
         [](T& t) {
             t.Item("Greeting")->setExpanded(true);
             t.DragTreeItem(t.Item("Farewell"), t.Item("Shop [sells ale]"));
         }},
        {"Sort Ascending", [](T& t) { t.Trigger("sortAllAscending"); }},
        {"Sort Ascending",
         [](T& t) {
             t.Select("Initialization Node");  // the whole tree, as its own branch
             t.Trigger("sortBranchAscending");
         }},
    };
}

class UndoTest : public CommandsTest, public testing::WithParamInterface<std::size_t> {};

TEST_P(UndoTest, UndoGivesTheDocumentBackAndRedoTheChange) {
    const Change change = EveryChange()[GetParam()];
    const std::string before = Json();
    ASSERT_FALSE(Current().IsModified());
    EXPECT_FALSE(UndoItem()->isEnabled());
    change.make(*this);
    const std::string after = Json();
    ASSERT_NE(after, before) << change.step;
    EXPECT_TRUE(Current().IsModified());
    // One step, however many keys were typed.
    EXPECT_EQ(Documents().UndoGroup().activeStack()->count(), 1);
    EXPECT_EQ(UndoItem()->text(), QString("&Undo ") + change.step);
    EXPECT_TRUE(UndoItem()->isEnabled());

    UndoItem()->trigger();
    EXPECT_EQ(Json(), before) << change.step;
    EXPECT_FALSE(Current().IsModified());
    EXPECT_EQ(RedoItem()->text(), QString("&Redo ") + change.step);
    EXPECT_FALSE(UndoItem()->isEnabled());

    RedoItem()->trigger();
    EXPECT_EQ(Json(), after) << change.step;
    EXPECT_TRUE(Current().IsModified());

    // What the window shows is the document as it now is.
    const std::string shown = Json();
    UndoItem()->trigger();
    RedoItem()->trigger();
    EXPECT_EQ(Json(), shown);
}

INSTANTIATE_TEST_SUITE_P(EveryChange, UndoTest, testing::Range<std::size_t>(0, 24),
                         [](const testing::TestParamInfo<std::size_t>& param) {
                             std::string name = EveryChange()[param.param].step;
                             std::erase(name, ' ');
                             return name + std::to_string(param.param);
                         });

TEST_F(CommandsTest, TheListsAndTheTextShowTheDocumentAfterAnUndo) {
    SelectRows(*CommandList(), {0, 2});
    Press(control_id::kDeleteCommand);
    EXPECT_EQ(Column(*CommandList(), 1), (QStringList{"$gold = 5", "END CONVERSATION"}));
    Select("Farewell");
    UndoItem()->trigger();
    // The changed node is selected again, its rows back.
    EXPECT_EQ(Tree()->currentItem()->text(0), "Greeting");
    EXPECT_EQ(CommandList()->RowCount(), 4);
    EXPECT_EQ(CommandList()->ItemText(2, 1), "goto Shop");

    QTest::keyClicks(NodeText(), "Hi");
    Select("Farewell");
    QTest::keyClicks(NodeText(), "Go");
    // Typing in another node is a step of its own.
    EXPECT_EQ(Documents().UndoGroup().activeStack()->count(), 2);
    UndoItem()->trigger();
    UndoItem()->trigger();
    EXPECT_EQ(Tree()->currentItem()->text(0), "Greeting");
    EXPECT_TRUE(NodeText()->toPlainText().isEmpty());
}

TEST_F(CommandsTest, SavingIsTheCleanPoint) {
    TempDir dir("commands_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    services.QueueFileChoice(dir.File("greeting.vrx"));
    window->OnSaveAs();
    ASSERT_FALSE(Current().IsModified());
    Press(control_id::kDeleteCommand);  // nothing selected: no step
    EXPECT_FALSE(UndoItem()->isEnabled());
    SelectRows(*CommandList(), {0});
    Press(control_id::kDeleteCommand);
    EXPECT_TRUE(Current().IsModified());
    window->OnSave();
    EXPECT_FALSE(Current().IsModified());
    UndoItem()->trigger();
    EXPECT_TRUE(Current().IsModified());  // away from the saved state
    RedoItem()->trigger();
    EXPECT_FALSE(Current().IsModified());  // back at it
}

TEST_F(CommandsTest, EachDocumentHasItsOwnHistory) {
    SelectRows(*CommandList(), {0});
    Press(control_id::kDeleteCommand);
    steps.push_back(Fill({}));  // the NPC data of the new dialogue
    window->OnNewDialogue();
    EXPECT_FALSE(UndoItem()->isEnabled());
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(UndoItem()->text(), "&Undo Delete Command");
    // A closed document takes its steps along.
    services.QueueAnswer(MessageAnswer::kNo);
    window->OnCloseDialogue();
    EXPECT_FALSE(UndoItem()->isEnabled());
}

}  // namespace
}  // namespace tw::test
