// The Edit and Sort menus, the node menu, the list buttons and keys, Export and Batch Export
// of the main window, through its real widgets.

#include <QContextMenuEvent>
#include <QProgressDialog>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <filesystem>

#include "model/clipboard_list.h"
#include "model/editing/tree_edit_rules.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/commands_fixture.h"

namespace tw::test {
namespace {

QStringList Names(const std::vector<std::unique_ptr<DialogueNode>>& nodes) {
    QStringList names;
    for (const auto& node : nodes) {
        names << QString::fromStdString(node->GetName());
    }
    return names;
}

TEST_F(CommandsTest, CutWithRowsInBothListsActsOnTheCommandsOnly) {
    SelectRows(*CommandList(), {1});
    SelectRows(*ResponseList(), {0});
    Trigger("cut");
    EXPECT_EQ(Node("Greeting").Commands().size(), 3u);
    EXPECT_EQ(Node("Greeting").Responses().size(), 3u);
    NodeCommandList pasted;
    ASSERT_TRUE(pasted.Parse(*services.GetClipboardData(kNodeCommandListFormat)));
    ASSERT_EQ(pasted.GetCount(), 1u);
    EXPECT_EQ(pasted.GetAt(0)->GetScriptText(), "$gold = 5");
}

TEST_F(CommandsTest, DeletingRowsOneAndThreeRemovesExactlyThoseCommands) {
    SelectRows(*CommandList(), {0, 2});
    Trigger("delete");
    EXPECT_EQ(Column(*CommandList(), 1), (QStringList{"$gold = 5", "END CONVERSATION"}));
    ASSERT_EQ(Node("Greeting").Commands().size(), 2u);
    EXPECT_EQ(Node("Greeting").Commands()[1]->GetType(), kCommandEnd);
}

TEST_F(CommandsTest, DeleteResponseFindsRowsByTheirTag) {
    // The rows are shown in another order than the node's: the tags still find them.
    ResponseList()->SetItemText(0, 0, "a02");
    ResponseList()->SetItemText(2, 0, "A01");
    SelectRows(*ResponseList(), {0, 1});
    Press(control_id::kDeleteResponse);
    ASSERT_EQ(Node("Greeting").Responses().size(), 1u);
    EXPECT_EQ(Node("Greeting").Responses()[0]->GetTag(), "A01");
}

TEST_F(CommandsTest, ClipboardCarriesCommandsAndResponsesBetweenDocuments) {
    SelectRows(*CommandList(), {0, 3});
    CommandList()->setFocus();
    QTest::keyClick(CommandList(), Qt::Key_C, Qt::ControlModifier);
    SelectRows(*CommandList(), {});
    SelectRows(*ResponseList(), {0, 1});
    Trigger("copy");  // responses replace the commands on the clipboard
    EXPECT_FALSE(services.GetClipboardData(kNodeCommandListFormat).has_value());
    steps.push_back(Fill({}));  // the NPC data of the new dialogue
    window->OnNewDialogue();
    steps.push_back(Fill({{1014, "Start"}}));
    Trigger("addNewNode");
    Select("Start");
    Trigger("paste");
    ASSERT_EQ(Node("Start").Responses().size(), 2u);
    EXPECT_EQ(Column(*ResponseList(), 0), (QStringList{"A01", "#A01"}));
    EXPECT_EQ(Column(*ResponseList(), 2), (QStringList{"Hello there.", ""}));
    // And back again with the list's own keys.
    Tabs()->setCurrentIndex(0);
    SelectRows(*CommandList(), {2});
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    CommandList()->setFocus();
    QTest::keyClick(CommandList(), Qt::Key_C, Qt::ControlModifier);
    Tabs()->setCurrentIndex(1);
    Select("Start");
    ResponseList()->setFocus();
    QTest::keyClick(ResponseList(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Node("Start").Responses().size(), 2u);  // the response list pastes no commands
    CommandList()->setFocus();
    QTest::keyClick(CommandList(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Node("Start").Commands().size(), 1u);
    EXPECT_EQ(Node("Start").Commands()[0]->GetScriptText(), "goto Shop");
}

TEST_F(CommandsTest, PlainTextGoesOnlyIntoTheNodeTextBox) {
    services.SetClipboardText("Good day");
    CommandList()->setFocus();
    Trigger("paste");
    EXPECT_EQ(Node("Greeting").Commands().size(), 4u);
    EXPECT_TRUE(Node("Greeting").GetText().empty());
    FocusNodeText();
    Trigger("paste");
    EXPECT_EQ(NodeText()->toPlainText(), "Good day");
    EXPECT_TRUE(Node("Greeting").IsTextRich());
    Trigger("selectAll");
    Trigger("cut");
    EXPECT_EQ(services.GetClipboardText(), "Good day");
    EXPECT_TRUE(NodeText()->toPlainText().isEmpty());
    QTest::keyClicks(NodeText(), "abc");
    Trigger("selectAll");
    Trigger("delete");
    EXPECT_TRUE(NodeText()->toPlainText().isEmpty());
}

TEST_F(CommandsTest, NodeMenuEnablesByTheSelectedItem) {
    const auto enabled = [this] {
        QStringList on;
        for (const char* name :
             {"rename", "clearNode", "deleteBranch", "makeRoot", "addNewNode", "testFromNode"}) {
            on << (Action(name)->isEnabled() ? Action(name)->text() : "-");
        }
        return on.join(",");
    };
    Select("Initialization Node");
    EXPECT_EQ(enabled(), "-,-,-,-,&Add New Node,-");
    Select("Greeting");
    EXPECT_EQ(enabled(),
              "&Rename,&Clear Node,Delete &Branch,-,&Add New Node,&Test from Selected Node");
    Select("Shop [sells ale]");
    EXPECT_EQ(
        enabled(),
        "&Rename,&Clear Node,Delete &Branch,&Make Root,&Add New Node,&Test from Selected Node");
}

TEST_F(CommandsTest, RenameClearAndDeleteAskFirst) {
    steps.push_back([](QDialog& opened) {
        EXPECT_EQ(opened.windowTitle(), "Rename Node");
        auto& dialog = dynamic_cast<CEditingDialog&>(opened);
        EXPECT_EQ(dialog.Control<QLineEdit>(1014)->text(), "Greeting");
        Fill({{1014, "Welcome"}, {1015, "first words"}})(opened);
    });
    Trigger("rename");
    EXPECT_EQ(Tree()->currentItem()->text(0), "Welcome [first words]");
    // The goto naming the old name is left as it was.
    EXPECT_EQ(Node("Welcome").Commands()[2]->GetScriptText(), "goto Shop");

    services.QueueAnswer(MessageAnswer::kNo);
    Trigger("clearNode");
    EXPECT_EQ(services.Messages().back().text, "Are you sure you want to clear node Welcome?");
    EXPECT_EQ(services.Messages().back().caption, "Warning");
    EXPECT_EQ(Node("Welcome").Commands().size(), 4u);
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("clearNode");
    EXPECT_TRUE(Node("Welcome").Commands().empty());
    EXPECT_EQ(CommandList()->RowCount(), 0);
    EXPECT_EQ(ResponseList()->RowCount(), 0);

    services.QueueAnswer(MessageAnswer::kNo);
    Trigger("deleteBranch");
    EXPECT_EQ(services.Messages().back().text,
              "Are you sure you want to delete node Welcome and all of its children?");
    EXPECT_NE(Current().FindNodeById(2), nullptr);
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("deleteBranch");
    EXPECT_EQ(Current().FindNodeById(1), nullptr);
    EXPECT_EQ(Current().FindNodeById(2), nullptr);
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Farewell(3)");
}

TEST_F(CommandsTest, AddNewNodeGoesUnderTheSelectionOrToTheTop) {
    Select("Initialization Node");
    steps.push_back([](QDialog& opened) {
        EXPECT_EQ(opened.windowTitle(), "Create a New Node");
        Fill({{1014, "Cellar"}, {1015, "dark"}})(opened);
    });
    Trigger("addNewNode");
    ASSERT_NE(Current().FindNodeById(4), nullptr);
    EXPECT_EQ(Current().FindNodeById(4)->Parent(), &Current().Root());
    EXPECT_EQ(Current().GetNextNodeId(), 5);
    EXPECT_EQ(Current().GetSelectedNodeId(), 0);
    Select("Shop [sells ale]");
    steps.push_back(Fill({{1014, "Barrel"}}));
    Trigger("addNewNode");
    EXPECT_EQ(TreeDump(),
              "Initialization Node(0);Greeting(1)[Shop [sells ale](2)[Barrel(5)]];Farewell(3);"
              "Cellar [dark](4)");
    EXPECT_TRUE(Item("Shop [sells ale]")->isExpanded());
    EXPECT_EQ(Tree()->currentItem()->text(0), "Shop [sells ale]");
}

TEST_F(CommandsTest, MakeRootMovesTheBranchToTheEndOfTheTop) {
    Select("Shop [sells ale]");
    Trigger("makeRoot");
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greeting(1);Farewell(3);Shop [sells ale](2)");
    EXPECT_EQ(Node("Shop").Parent(), &Current().Root());
}

TEST_F(CommandsTest, SortMenuSortsAllOrTheSelectedBranch) {
    Current().AddNode(4, 0, "10", "");
    Current().AddNode(5, 0, "9", "");
    Current().AddNode(6, 1, "alpha", "");
    Refresh();
    MenuItem("All Nodes")->menu()->actions().at(0)->trigger();
    EXPECT_EQ(Names(Current().Root().Children()), (QStringList{"9", "10", "Farewell", "Greeting"}));
    EXPECT_EQ(TreeDump(),
              "Initialization Node(0);9(5);10(4);Farewell(3);"
              "Greeting(1)[alpha(6);Shop [sells ale](2)]");
    Select("Greeting");
    MenuItem("Selected Branch")->menu()->actions().at(1)->trigger();
    EXPECT_EQ(Names(Node("Greeting").Children()), (QStringList{"Shop", "alpha"}));
    EXPECT_EQ(Names(Current().Root().Children()), (QStringList{"9", "10", "Farewell", "Greeting"}));
    EXPECT_EQ(Tree()->currentItem()->text(0), "Greeting");
}

TEST_F(CommandsTest, ExpandCollapseAllPressedTwiceLeavesEveryBranchCollapsed) {
    Press(control_id::kExpandCollapseAll);
    EXPECT_TRUE(Item("Greeting")->isExpanded());
    Press(control_id::kExpandCollapseAll);
    EXPECT_FALSE(Item("Greeting")->isExpanded());
}

// Qt's tree recurses once per level as it expands, collapses and deletes items: the deepest
// tree the editor opens takes all three, and nothing goes below its deepest node.
TEST_F(CommandsTest, TheDeepestTreeExpandsCollapsesAndCloses) {
    Dialogue deep;
    DialogueNode* end = &deep.Root();
    for (std::size_t level = 1; level <= kMaxEditorTreeDepth; ++level) {
        end = &deep.AppendNode(*end, static_cast<std::int32_t>(level), "N" + std::to_string(level));
    }
    deep.SetNextNodeId(static_cast<std::int32_t>(kMaxEditorTreeDepth) + 1);
    const TempDir dir("commands_deepest_tree");
    services.QueueFileChoice(dir.Write("deep.vrx", deep.Write()));
    Trigger("open");
    ASSERT_EQ(Current().Npc().name, deep.Npc().name);
    ASSERT_EQ(Documents().Count(), 2u);
    Press(control_id::kExpandCollapseAll);
    // The deepest node lies some 40,000 pixels right of the window, out of the mouse's reach;
    // it is made current as accessibility tools do it.
    QTreeWidgetItem* deepest = Item(QString("N%1").arg(kMaxEditorTreeDepth));
    ASSERT_NE(deepest, nullptr);
    Tree()->setCurrentItem(deepest);
    services.QueueAnswer(MessageAnswer::kOk);
    Trigger("addNewNode");
    EXPECT_EQ(services.Messages().back().text, TooDeepToAddMessage());
    Press(control_id::kExpandCollapseAll);
    Trigger("closeDialogue");
    EXPECT_EQ(Documents().Count(), 1u);
}

// A damaged archive on the clipboard pastes nothing, and says why.
TEST_F(CommandsTest, PastingUnreadableCommandsSaysWhy) {
    services.SetClipboardData(kNodeCommandListFormat, std::string("\x01\0\0\0\x0c\0\0\0", 8));
    CommandList()->setFocus();
    services.QueueAnswer(MessageAnswer::kOk);
    QTest::keyClick(CommandList(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(services.Messages().back().text,
              "The clipboard does not hold commands this editor can read: element 1 of 1 has the "
              "unknown type code 12.");
    EXPECT_EQ(Node("Greeting").Commands().size(), 4u);
    EXPECT_FALSE(Current().IsModified());
}

TEST_F(CommandsTest, ResponseCellEditsKeepTheAddResponseRule) {
    CInPlaceEdit* editor = EditCell(*ResponseList(), 0, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Backspace);  // the editor opens with its text selected
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(ResponseList()->ItemText(0, 2), "Hello there.");
    EXPECT_FALSE(Current().IsModified());
    editor = EditCell(*ResponseList(), 1, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "anything");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(ResponseList()->ItemText(1, 2), "");
    EXPECT_FALSE(Current().IsModified());
}

TEST_F(CommandsTest, ExportWritesTheScriptWhereTheWriterChose) {
    TempDir dir("commands_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    services.SetWorkingDirectory(dir.Path().string());
    services.QueueFileChoice(dir.File("greeting.txt"));
    MenuItem("&Export...")->trigger();
    ASSERT_EQ(services.FileDialogs().size(), 1u);
    const FileDialogRequest& request = services.FileDialogs()[0].request;
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_EQ(request.startDirectory, dir.Path().string());
    EXPECT_TRUE(request.promptOverwrite);
    EXPECT_EQ(request.filters, (std::vector<FileFilter>{{"Rich Text Format (*.rtf)", "*.rtf"},
                                                        {"ASCII Text format (*.txt)", "*.txt"}}));
    const std::string script = ReadFile(dir.File("greeting.txt"));
    EXPECT_NE(script.find("goto Shop"), std::string::npos);
    EXPECT_NE(script.find("\r\n"), std::string::npos);
    // A directory that isn't there is reported.
    services.QueueFileChoice(dir.File("missing/greeting.txt"));
    services.QueueAnswer(MessageAnswer::kOk);
    Trigger("export");
    EXPECT_EQ(services.Messages().back().text, "Unable to create output file");
    EXPECT_EQ(services.Messages().back().caption, "Error");
}

TEST_F(CommandsTest, BatchExportWalksTheWorkingDirectoryIntoOneDestination) {
    TempDir dir("commands_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    namespace fs = std::filesystem;
    fs::create_directories(dir.Path() / "source/sub");
    fs::create_directories(dir.Path() / "out");
    Current().SetModified(false);
    ASSERT_FALSE(Current().SaveAs(dir.File("source/a.vrx")).has_value());
    Current().Npc().name = "Bee";
    ASSERT_FALSE(Current().SaveAs(dir.File("source/sub/b.vrx")).has_value());
    ASSERT_FALSE(Current().SaveAs(dir.File("source/C.VRX")).has_value());
    dir.Write("source/broken.vrx", "not a dialogue");
    services.SetWorkingDirectory(dir.File("source"));
    services.QueueFileChoice(dir.File("out/anything.txt"));
    services.QueueAnswer(MessageAnswer::kOk);  // broken.vrx can't be read
    QString progress;
    QTimer::singleShot(0, [&progress] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QProgressDialog*>(widget);
                dialog && dialog->isVisible()) {
                progress = dialog->windowTitle() + QString(" %1").arg(dialog->maximum());
            }
        }
    });
    Trigger("batchExport");
    EXPECT_EQ(progress, "Batch Export 3");  // a.vrx, broken.vrx and sub/b.vrx
    const FileDialogRequest& request = services.FileDialogs().back().request;
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_EQ(request.filters, (std::vector<FileFilter>{{"Export Files (*.txt)", "*.txt"},
                                                        {"All Files (*.*)", "*.*"}}));
    EXPECT_TRUE(fs::exists(dir.Path() / "out/a.txt"));
    EXPECT_TRUE(fs::exists(dir.Path() / "out/b.txt"));
    EXPECT_FALSE(fs::exists(dir.Path() / "out/C.txt"));
    EXPECT_FALSE(fs::exists(dir.Path() / "out/broken.txt"));
    EXPECT_NE(ReadFile(dir.File("out/b.txt")).find("Bee"), std::string::npos);
    // Both documents stay open as tabs.
    EXPECT_TRUE(TabTitles().contains("Bee"));
    EXPECT_GE(Documents().Count(), 2u);
}

}  // namespace
}  // namespace tw::test

namespace tw::test {
namespace {

// Acts on the popup menu once it is open.
void OnNextPopup(std::function<void(QMenu&)> act, int triesLeft = 200) {
    QTimer::singleShot(5, [act = std::move(act), triesLeft] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            act(*menu);
        } else if (triesLeft > 0) {
            OnNextPopup(act, triesLeft - 1);
        }
    });
}

QAction* ActionOf(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions()) {
        if (action->text() == caption) {
            return action;
        }
    }
    return nullptr;
}

// The node menu from the keyboard, with the item of that mnemonic chosen.
void ChooseFromNodeMenu(QTreeWidget& tree, Qt::Key mnemonic) {
    OnNextPopup([mnemonic](QMenu& menu) { QTest::keyClick(&menu, mnemonic); });
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Menu);
}

TEST_F(CommandsTest, RenamingCarriesTheLinksAlongWhenTheWriterSaysSo) {
    Item("Greeting")->setExpanded(true);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {},
                      Tree()->visualItemRect(Item("Shop [sells ale]")).center());
    steps.push_back(Fill({{1014, "Market"}}));
    services.QueueAnswer(MessageAnswer::kYes);
    ChooseFromNodeMenu(*Tree(), Qt::Key_R);
    EXPECT_EQ(services.Messages().back().text,
              "2 commands and responses lead to Shop. Update them to Market?");
    const auto addOf = [this]() -> const NodeResponseAdd& {
        return static_cast<const NodeResponseAdd&>(*Node("Greeting").Responses()[0]);
    };
    EXPECT_EQ(Node("Greeting").Commands()[2]->GetText(), "goto Market");
    EXPECT_EQ(addOf().GetGotoNode(), "Market");
    EXPECT_EQ(Tree()->currentItem()->text(0), "Market [sells ale]");
    EXPECT_EQ(UndoItem()->text(), "&Undo Rename Node");

    UndoItem()->trigger();  // one step: the name and the links together
    EXPECT_EQ(Node("Greeting").Commands()[2]->GetText(), "goto Shop");
    EXPECT_EQ(addOf().GetGotoNode(), "Shop");
    EXPECT_NE(Current().FindNodeByName("Shop"), nullptr);

    steps.push_back(Fill({{1014, "Market"}}));
    services.QueueAnswer(MessageAnswer::kNo);
    ChooseFromNodeMenu(*Tree(), Qt::Key_R);
    EXPECT_EQ(Node("Greeting").Commands()[2]->GetText(), "goto Shop");
    EXPECT_NE(Current().FindNodeByName("Market"), nullptr);
}

TEST_F(CommandsTest, RightButtonInTheTreeSelectsTheItemAndRunsTheChosenCommand) {
    Item("Greeting")->setExpanded(true);
    QTreeWidgetItem* shop = Item("Shop [sells ale]");
    bool opened = false;
    OnNextPopup([&opened](QMenu& menu) {
        opened = true;
        QAction* makeRoot = ActionOf(menu, "&Make Root");
        ASSERT_NE(makeRoot, nullptr);
        EXPECT_TRUE(makeRoot->isEnabled());
        menu.hide();
        makeRoot->trigger();
    });
    const QPoint at = Tree()->visualItemRect(shop).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, Tree()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(Tree()->viewport(), &click);
    EXPECT_TRUE(opened);
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greeting(1);Farewell(3);Shop [sells ale](2)");
    EXPECT_EQ(UndoItem()->text(), "&Undo Make Root");
}

TEST_F(CommandsTest, MenuKeyOpensTheNodeMenuOnTheSelectedItem) {
    Item("Greeting")->setExpanded(true);
    Select("Farewell");
    QString enabled;
    OnNextPopup([&enabled](QMenu& menu) {
        enabled = ActionOf(menu, "&Rename")->isEnabled() ? "rename" : "-";
        menu.hide();
    });
    // Where the keyboard's request points is not where the writer looks.
    const QPoint at = Tree()->visualItemRect(Item("Initialization Node")).center();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, at, Tree()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(Tree()->viewport(), &key);
    EXPECT_EQ(enabled, "rename");
    EXPECT_EQ(Tree()->currentItem()->text(0), "Farewell");
}

TEST_F(CommandsTest, UndoKeysInTheNodeTextUndoTheWritersSteps) {
    FocusNodeText();
    QTest::keyClicks(NodeText(), "Hello");
    EXPECT_EQ(NodeText()->toPlainText(), "Hello");
    QTest::keyClick(NodeText(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(NodeText()->toPlainText().isEmpty());
    EXPECT_FALSE(Current().IsModified());
    QTest::keyClick(NodeText(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(NodeText()->toPlainText(), "Hello");
    QTest::keyClick(NodeText(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(NodeText(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(NodeText()->toPlainText(), "Hello");
    EXPECT_TRUE(Current().IsModified());
}

TEST_F(CommandsTest, RightButtonInTheNodeTextOpensTheEditMenuThere) {
    bool opened = false;
    OnNextPopup([&opened, this](QMenu& menu) {
        opened = &menu == EditMenu();
        menu.hide();
    });
    const QPoint at(20, 10);
    QTest::mouseRelease(NodeText()->viewport(), Qt::RightButton, {}, at);
    QTest::qWait(50);
    EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace tw::test

namespace tw::test {
namespace {

// A whole dialogue made in the editor alone: new, nodes, commands, responses, text, save,
// export, and the file read back as it was made.
TEST_F(CommandsTest, AWriterBuildsSavesAndExportsANewDialogue) {
    TempDir dir("commands_whole_dialogue");
    steps.push_back(Fill({{1065, "Brannoc"}}));
    window->OnNewDialogue();
    steps.push_back(Fill({{1014, "Hello"}, {1015, "greets"}}));
    Trigger("addNewNode");
    steps.push_back(Fill({{1014, "Goodbye"}}));
    Trigger("addNewNode");
    Select("Hello [greets]");
    steps.push_back(Fill({{1018, "set kMet = TRUE"}}));
    Press(control_id::kAddCommand);
    steps.push_back([](QDialog& opened) {
        dynamic_cast<CEditingDialog&>(opened).Control<QAbstractButton>(1038)->click();
        Fill({{1036, "Farewell."}, {1040, "Goodbye"}})(opened);
    });
    Press(control_id::kAddResponse);
    QTest::keyClicks(NodeText(), "Well met, traveller.");
    services.QueueFileChoice(dir.File("brannoc.vrx"));
    window->OnSaveAs();
    EXPECT_FALSE(Current().IsModified());
    services.QueueFileChoice(dir.File("brannoc.txt"));
    Trigger("export");
    const std::string script = ReadFile(dir.File("brannoc.txt"));
    for (const char* part :
         {"Brannoc", "Hello", "set kMet = TRUE", "Farewell.", "Goodbye", "Well met, traveller."}) {
        EXPECT_NE(script.find(part), std::string::npos) << part;
    }
    Dialogue reread;
    ASSERT_FALSE(reread.Load(dir.File("brannoc.vrx")).has_value());
    reread.SetPath(Current().GetPath());
    EXPECT_EQ(DialogueToJson(reread), Json());
}

}  // namespace
}  // namespace tw::test
