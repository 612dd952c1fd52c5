// The main window driven as a writer drives it, through its real widgets, with the platform's
// questions and file dialogs answered by the scripted services.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "model/dialogue_file_format.h"
#include "model/text/rich_text.h"
#include "model/text/rtf_reader.h"
#include "tester/party_settings.h"
#include "ui/controls/in_place_edit.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/editing_dialog.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

const QString kInnTree =
    "Initialization Node(0);Welcome [first meeting](1)[Room [renting a room](2)[RoomTaken(3)];"
    "Menu [the day's fare](4)[Eat(5)];Farewell(6)];WelcomeBack [returning guest](7)";

QString Absolute(const std::string& path) {
    return QString::fromStdString(std::filesystem::absolute(path).lexically_normal().string());
}

QStringList MenuCaptions(QMenuBar* bar) {
    QStringList captions;
    std::vector<QMenu*> pending;
    for (QAction* action : bar->actions()) {
        pending.push_back(action->menu());
    }
    while (!pending.empty()) {
        QMenu* menu = pending.back();
        pending.pop_back();
        captions << menu->title();
        for (QAction* action : menu->actions()) {
            if (action->menu() != nullptr) {
                pending.push_back(action->menu());
            } else if (!action->isSeparator()) {
                captions << action->text();
            }
        }
    }
    return captions;
}

TEST_F(MainWindowTest, StartsWithTheUntitledScratchDocument) {
    EXPECT_EQ(TabTitles(), QStringList{"Untitled"});
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- Untitled");
    EXPECT_EQ(NpcName()->text(), "Untitled");
    EXPECT_TRUE(NpcName()->isReadOnly());
    EXPECT_EQ(TreeDump(), "Initialization Node(0)");
    EXPECT_FALSE(NodeText()->isEnabled());
    EXPECT_EQ(NodeText()->palette().color(QPalette::Base), QColor(255, 0, 0));
    for (int id : {1011, 1012, 1013}) {
        EXPECT_FALSE(Button(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(Current().IsScratch());
    EXPECT_FALSE(Current().IsModified());
}

// One party for the whole run: what the writer set up stays, whichever documents come and go.
TEST_F(MainWindowTest, ThePartySettingsOutliveEveryDocument) {
    const PartySettings defaults;
    PartySettings& party = window->Party();
    EXPECT_EQ(party.names, defaults.names);
    EXPECT_EQ(party.alive, defaults.alive);
    EXPECT_EQ(party.partySize, 6);
    party.SetMember("Captain Orlek", false, 2);
    party.weather = 3;

    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    window->OnNewDialogue();
    Tabs()->setCurrentIndex(0);
    window->OnCloseDialogue();
    window->OnCloseDialogue();
    ASSERT_EQ(TabTitles(), QStringList{"Untitled"});

    EXPECT_EQ(&window->Party(), &party);
    EXPECT_EQ(party.GetMemberName(2), "Captain Orlek");
    EXPECT_FALSE(party.alive[2]);
    EXPECT_EQ(party.weather, 3);
    EXPECT_EQ(party.GetMemberName(0), "Pelgrin");
}

TEST_F(MainWindowTest, EveryControlHasItsCaption) {
    const std::pair<int, const char*> buttons[] = {
        {1117, "Expand/Collapse All"}, {1115, "Edit Party Settings"}, {1095, "Test Dialogue"},
        {1063, "Edit NPC Comments"},   {1002, "Edit NPC Properties"}, {1008, "Add Command"},
        {1009, "Edit Command"},        {1010, "Delete Command"},      {1011, "Add Response"},
        {1012, "Edit Response"},       {1013, "Delete Response"}};
    // The captions carry mnemonics; the words are the ones above.
    for (auto [id, caption] : buttons) {
        ASSERT_NE(Button(id), nullptr) << id;
        EXPECT_EQ(Button(id)->text().remove(QChar('&')), caption);
        EXPECT_FALSE(Button(id)->autoDefault()) << "Enter must do nothing";
    }
    const QStringList captions = MenuCaptions(MenuBar());
    for (const char* caption :
         {"&New Dialogue", "&Open", "&Close Dialogue", "&Save", "Save &As...", "Save A&ll",
          "Recent Files", "&Quit", "&Undo", "Cu&t", "&Copy", "&Paste", "&Delete", "Select &All",
          "All Nodes", "Selected Branch", "Ascending", "Descending", "&About"}) {
        EXPECT_TRUE(captions.contains(caption)) << caption;
    }
    // Column titles and widths; a column widens for its title in a large font, and the last
    // one stretches to fill the list.
    struct ColumnSpec {
        EnhancedListCtrl* list;
        int index;
        const char* title;
        int width;
    };
    const ColumnSpec columns[] = {
        {CommandList(), 0, "Command", 85},    {CommandList(), 1, "String", 260},
        {CommandList(), 2, "Condition", 140}, {ResponseList(), 0, "Tag", 70},
        {ResponseList(), 1, "Type", 40},      {ResponseList(), 2, "Response", 95},
        {ResponseList(), 3, "Goto Node", 64}, {ResponseList(), 4, "Condition", 140}};
    for (const ColumnSpec& c : columns) {
        EXPECT_EQ(c.list->headerItem()->text(c.index), c.title);
        EXPECT_GE(c.list->columnWidth(c.index), c.width) << c.title;
    }
    EXPECT_EQ(CommandList()->columnCount(), 3);
    EXPECT_EQ(ResponseList()->columnCount(), 5);
    EXPECT_TRUE(ResponseList()->IsColumnEditable(2));
    EXPECT_TRUE(ResponseList()->AllowsLabelEditing());
    EXPECT_FALSE(CommandList()->AllowsLabelEditing());
}

TEST_F(MainWindowTest, OpeningAFileReplacesTheUntouchedScratchDocument) {
    const std::string path = SamplePath("innkeeper.vrx");
    ASSERT_TRUE(window->OpenDialogueFile(path));
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- " + Absolute(path));
    EXPECT_EQ(NpcName()->text(), "Brannoc the Innkeeper");
    EXPECT_EQ(TreeDump(), kInnTree);
    EXPECT_EQ(Tree()->currentItem(), Item("Initialization Node"));
    EXPECT_FALSE(Current().IsModified());
    EXPECT_EQ(services.GetProfileString("vorunda", "current directory", "?"), "/");
    EXPECT_EQ(services.GetProfileString("Recent File List", "File1", ""),
              Absolute(path).toStdString());
}

TEST_F(MainWindowTest, SelectingANodeShowsItsTextCommentsAndLists) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Select("Welcome [first meeting]");
    EXPECT_TRUE(NodeText()->isEnabled());
    EXPECT_TRUE(Button(control_id::kAddResponse)->isEnabled());
    EXPECT_TRUE(NodeText()->toPlainText().startsWith(
        "Welcome to the Gilded Tankard, stranger! Our caf\u00e9 serves"));
    EXPECT_EQ(Column(*CommandList(), 0), (QStringList{"F_SET", "REPLY"}));
    EXPECT_EQ(Column(*CommandList(), 1),
              (QStringList{"set kMetBrannoc = TRUE", "reply $playerName"}));
    EXPECT_EQ(Column(*ResponseList(), 0), (QStringList{"A01", "B01", "C01"}));
    EXPECT_EQ(Column(*ResponseList(), 2),
              (QStringList{"I need a room for the night.", "What's on the menu?", "Farewell."}));
    EXPECT_EQ(ResponseList()->ItemImage(0), 1);
    // A text wider than its column can still be read.
    EXPECT_EQ(ResponseList()->topLevelItem(0)->toolTip(2), "I need a room for the night.");
    EXPECT_EQ(Current().GetSelectedNodeId(), 1);

    Select("Room [renting a room]");
    EXPECT_EQ(NodeText()->toPlainText(),
              "A room is five gold a night, $playerName. Will you take it?");
    EXPECT_EQ(Column(*ResponseList(), 0), QStringList{"#A01"});
    EXPECT_EQ(Column(*ResponseList(), 1), QStringList{"CUT"});
    EXPECT_EQ(ResponseList()->ItemImage(0), 5);

    // The initialization node: no text to write, but its commands are shown.
    Select("Initialization Node");
    EXPECT_FALSE(NodeText()->isEnabled());
    EXPECT_FALSE(Button(control_id::kAddResponse)->isEnabled());
    EXPECT_EQ(Comments()->text(), "Greets strangers and regulars differently");
    // The conditions have a column of their own.
    EXPECT_EQ(Column(*CommandList(), 1), (QStringList{"goto Welcome", "goto WelcomeBack"}));
    EXPECT_EQ(Column(*CommandList(), 2), (QStringList{"kMetBrannoc == FALSE", "kMetBrannoc"}));
    EXPECT_EQ(Current().GetSelectedNodeId(), 0);
    EXPECT_FALSE(Current().IsModified()) << "filling the view is no change";
}

TEST_F(MainWindowTest, EditingNodeTextAndCommentsWritesBackIntoTheNode) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Select("Farewell");
    NodeText()->setFocus();
    NodeText()->moveCursor(QTextCursor::End);
    QTest::keyClicks(NodeText(), " Mind the wolves.");
    DialogueNode& farewell = Node("Farewell");
    EXPECT_TRUE(farewell.IsTextRich());
    EXPECT_EQ(PlainText(ReadRtf(farewell.GetText())), "Safe roads, friend. Mind the wolves.");
    EXPECT_TRUE(Current().IsModified());

    QTest::keyClicks(Comments(), "ends the talk");
    EXPECT_EQ(farewell.GetComments(), "ends the talk");

    // Undo never reaches back past the text the window put in.
    Select("Eat");
    NodeText()->undo();
    EXPECT_EQ(NodeText()->toPlainText(), "Coming right up!");
    EXPECT_FALSE(Node("Eat").IsTextRich());

    Select("Farewell");
    EXPECT_EQ(NodeText()->toPlainText(), "Safe roads, friend. Mind the wolves.");
    EXPECT_EQ(Comments()->text(), "ends the talk");
}

// The tab and the title say that a dialogue has unsaved changes, until a save or undoing
// back to the saved state.
TEST_F(MainWindowTest, TheModifiedMarkFollowsSaveAndUndo) {
    TempDir dir("modified_mark");
    const std::string path = dir.CopySample("innkeeper.vrx", "inn.vrx");
    ASSERT_TRUE(window->OpenDialogueFile(path));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QString title = "Vorunda Dialogue Editor -- " + Absolute(path);
    EXPECT_EQ(ShownTitle(), title);
    QTest::mouseClick(Comments(), Qt::LeftButton);
    QTest::keyClicks(Comments(), "note");
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper *"});
    EXPECT_EQ(ShownTitle(), title + "*");
    QTest::keyClick(Comments(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    EXPECT_EQ(ShownTitle(), title);
    QTest::keyClicks(Comments(), "kept");
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper *"});
    QTest::keyClick(Comments(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    EXPECT_EQ(ShownTitle(), title);
}

TEST_F(MainWindowTest, ALongCommentIsShownAndKeptWhole) {
    TempDir dir("long_comment");
    Dialogue document;
    document.Root().SetComments(std::string(40000, 'c'));
    ASSERT_EQ(document.SaveAs(dir.File("long.vrx")), std::nullopt);
    ASSERT_TRUE(window->OpenDialogueFile(dir.File("long.vrx")));
    EXPECT_EQ(Comments()->text().size(), 40000);
    Comments()->end(false);
    QTest::keyClicks(Comments(), "!");
    std::string expected(40000, 'c');
    expected.push_back('!');
    EXPECT_EQ(Current().Root().GetComments(), expected);
}

TEST_F(MainWindowTest, CommentsEditLeavesAnUntouchedRichTextAsItWas) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    const std::string rtf = Node("WelcomeBack").GetText();
    Select("WelcomeBack [returning guest]");
    QTest::keyClicks(Comments(), "x");
    EXPECT_EQ(Node("WelcomeBack").GetText(), rtf);
    EXPECT_EQ(Node("WelcomeBack").GetComments(), "x");
}

TEST_F(MainWindowTest, SwitchingTabsKeepsEachDocumentsViewState) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Select("RoomTaken");
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    EXPECT_EQ(TabTitles(), (QStringList{"Brannoc the Innkeeper", "Hedda Ironhand"}));
    EXPECT_EQ(NpcName()->text(), "Hedda Ironhand");
    EXPECT_EQ(Tree()->currentItem()->text(0), "Initialization Node");

    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(Documents().CurrentIndex(), 0u);
    EXPECT_EQ(TreeDump(), kInnTree);
    EXPECT_EQ(Tree()->currentItem(), Item("RoomTaken"));
    EXPECT_TRUE(Item("Welcome [first meeting]")->isExpanded());
    EXPECT_TRUE(Item("Room [renting a room]")->isExpanded());
    EXPECT_FALSE(Item("Menu [the day's fare]")->isExpanded());
    EXPECT_EQ(Column(*CommandList(), 0).size(), 4);
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- " + Absolute(SamplePath("innkeeper.vrx")));
}

TEST_F(MainWindowTest, DraggingABranchMovesTheNodeInTheDocument) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Tree()->expandAll();
    auto drag = [this](const QString& from, const QString& onto) {
        QWidget* viewport = Tree()->viewport();
        const QPoint start = Tree()->visualItemRect(Item(from)).center();
        const QPoint to = Tree()->visualItemRect(Item(onto)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(12, 0));
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    };
    drag("Menu [the day's fare]", "Initialization Node");  // refused
    drag("Room [renting a room]", "RoomTaken");            // into its own branch
    EXPECT_EQ(TreeDump(), kInnTree);
    EXPECT_FALSE(Current().IsModified());

    drag("Menu [the day's fare]", "WelcomeBack [returning guest]");
    EXPECT_EQ(TreeDump(),
              "Initialization Node(0);Welcome [first meeting](1)[Room [renting a room](2)"
              "[RoomTaken(3)];Farewell(6)];WelcomeBack [returning guest](7)"
              "[Menu [the day's fare](4)[Eat(5)]]");
    EXPECT_EQ(Node("Menu").Parent(), &Node("WelcomeBack"));
    EXPECT_EQ(Node("Eat").Parent(), &Node("Menu"));
    EXPECT_TRUE(Current().IsModified());
    EXPECT_EQ(Tree()->currentItem(), Item("Menu [the day's fare]"));
    EXPECT_EQ(Column(*CommandList(), 0), QStringList{"BRANCH"});
}

TEST_F(MainWindowTest, DraggingACommandRowMovesTheCommand) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Tree()->expandAll();
    Select("RoomTaken");
    EnhancedListCtrl& list = *CommandList();
    ASSERT_EQ(Column(list, 0), (QStringList{"MANUAL", "F_SET", "CASSIGN", "GOTO"}));
    QWidget* viewport = list.viewport();
    const QPoint start = list.visualItemRect(list.topLevelItem(0)).center();
    // The row lands before the row found 10 pixels below the release point.
    const QPoint to(30, list.visualItemRect(list.topLevelItem(3)).top() + 2 - 10);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(0, 12));
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    EXPECT_EQ(Column(list, 0), (QStringList{"F_SET", "CASSIGN", "MANUAL", "GOTO"}));
    QStringList model;
    for (const auto& command : Node("RoomTaken").Commands()) {
        model << QString::fromStdString(command->GetTypeName());
    }
    EXPECT_EQ(model, Column(list, 0));
    EXPECT_TRUE(Current().IsModified());
}

TEST_F(MainWindowTest, EditingAResponseCellChangesThePlayerText) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Select("Welcome [first meeting]");
    EnhancedListCtrl& list = *ResponseList();
    auto edit = [&list](int row, const QString& typed) {
        CInPlaceEdit* editor = EditCell(list, row, 2);
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, typed);  // over the selected text
        QTest::keyClick(editor, Qt::Key_Return);
    };
    edit(0, "  A bed, please. ");
    EXPECT_EQ(list.ItemText(0, 2), "A bed, please.");
    EXPECT_EQ(list.topLevelItem(0)->toolTip(2), "A bed, please.");
    const auto& responses = Node("Welcome").Responses();
    EXPECT_EQ(static_cast<NodeResponseAdd&>(*responses[0]).GetPlayerText(), "A bed, please.");
    EXPECT_TRUE(Current().IsModified());

    edit(1, "   ");
    EXPECT_EQ(list.ItemText(1, 2), "What's on the menu?");
    EXPECT_EQ(static_cast<NodeResponseAdd&>(*responses[1]).GetPlayerText(), "What's on the menu?");

    Select("Room [renting a room]");
    edit(0, "changed");
    EXPECT_EQ(list.ItemText(0, 2), "I need a room for the night.");
    EXPECT_EQ(static_cast<NodeResponseCut&>(*Node("Room").Responses()[0]).GetCutText(),
              "I need a room for the night.");
}

TEST_F(MainWindowTest, AnEditStillOpenWhenTheSelectionMovesBelongsToItsNode) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Select("Welcome [first meeting]");
    CInPlaceEdit* editor = EditCell(*ResponseList(), 0, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "Late line");
    Select("WelcomeBack [returning guest]");
    EXPECT_EQ(static_cast<NodeResponseAdd&>(*Node("Welcome").Responses()[0]).GetPlayerText(),
              "Late line");
    EXPECT_EQ(static_cast<NodeResponseAdd&>(*Node("WelcomeBack").Responses()[0]).GetPlayerText(),
              "The usual.");
    EXPECT_EQ(Column(*ResponseList(), 2).front(), "The usual.");
}

TEST_F(MainWindowTest, ClosingAsksAndSavesOnlyWhenTold) {
    TempDir dir("close");
    const std::string path = dir.CopySample("innkeeper.vrx", "inn.vrx");
    const std::string original = ReadFile(path);
    ASSERT_TRUE(window->OpenDialogueFile(path));
    Select("Farewell");
    QTest::keyClicks(Comments(), "note");

    services.QueueAnswer(MessageAnswer::kCancel);
    window->OnCloseDialogue();
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper *"});
    EXPECT_TRUE(Current().IsModified());
    EXPECT_EQ(Tree()->currentItem(), Item("Farewell"));

    services.QueueAnswer(MessageAnswer::kNo);
    window->OnCloseDialogue();
    EXPECT_EQ(TabTitles(), QStringList{"Untitled"});
    EXPECT_EQ(TreeDump(), "Initialization Node(0)");
    EXPECT_EQ(ReadFile(path), original);

    ASSERT_TRUE(window->OpenDialogueFile(path));
    Select("Farewell");
    QTest::keyClicks(Comments(), "kept");
    services.QueueAnswer(MessageAnswer::kYes);
    window->OnCloseDialogue();
    Dialogue saved;
    ASSERT_EQ(saved.Load(path), std::nullopt);
    EXPECT_EQ(saved.FindNodeByName("Farewell")->GetComments(), "kept");
    ASSERT_EQ(services.Messages().size(), 3u);
    EXPECT_EQ(services.Messages()[2].text, "Save changes to Brannoc the Innkeeper?");
    EXPECT_EQ(services.Messages()[2].caption, "Dialogue Editor");
}

TEST_F(MainWindowTest, ClosingAMiddleTabShowsTheOneBeforeIt) {
    TempDir dir("middle");
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    ASSERT_TRUE(window->OpenDialogueFile(dir.CopySample("innkeeper.vrx", "copy.vrx")));
    Tabs()->setCurrentIndex(1);
    window->OnCloseDialogue();
    EXPECT_EQ(TabTitles(), (QStringList{"Brannoc the Innkeeper", "Brannoc the Innkeeper"}));
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(Documents().CurrentIndex(), 0u);
    EXPECT_EQ(TreeDump(), kInnTree);
}

TEST_F(MainWindowTest, AFailedSaveKeepsTheDocumentModifiedAndQuitStays) {
    auto dir = std::make_unique<TempDir>("failed_save");
    const std::string path = dir->CopySample("innkeeper.vrx", "inn.vrx");
    ASSERT_TRUE(window->OpenDialogueFile(path));
    Select("Farewell");
    QTest::keyClicks(Comments(), "unsaved");
    dir.reset();  // the directory is gone: the save cannot succeed

    services.QueueAnswer(MessageAnswer::kOk);
    window->OnSave();
    EXPECT_EQ(services.Messages().back().text,
              "Unable to create file " + path + " (No such file or directory).");
    EXPECT_TRUE(Current().IsModified());

    services.QueueAnswer(MessageAnswer::kYes);
    services.QueueAnswer(MessageAnswer::kOk);
    EXPECT_FALSE(window->OnQuit());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper *"});
    EXPECT_EQ(Node("Farewell").GetComments(), "unsaved");
}

TEST_F(MainWindowTest, ADamagedFileIsReportedAndReplacesNothing) {
    TempDir dir("damaged");
    const std::string damaged = dir.Write("damaged.vrx", std::string("\xA9\xC3\xF4\x70\x66", 5));
    Dialogue* scratch = &Current();
    services.QueueAnswer(MessageAnswer::kOk);
    EXPECT_FALSE(window->OpenDialogueFile(damaged));
    EXPECT_EQ(services.Messages().back().caption, "Error");
    EXPECT_EQ(services.Messages().back().text, kDamagedMessage);
    EXPECT_EQ(&Current(), scratch);
    EXPECT_EQ(TabTitles(), QStringList{"Untitled"});

    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Select("Eat");
    services.QueueAnswer(MessageAnswer::kOk);
    EXPECT_FALSE(window->OpenDialogueFile(
        dir.Write("newer.vrx", std::string("\xA9\xC3\xF4\x70\x67\0\0\0", 8))));
    EXPECT_EQ(services.Messages().back().text, kNewerVersionMessage);
    services.QueueAnswer(MessageAnswer::kOk);
    EXPECT_FALSE(window->OpenDialogueFile(dir.File("missing.vrx")));
    EXPECT_EQ(services.Messages().back().text, "Unable to open file");
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    EXPECT_EQ(Tree()->currentItem(), Item("Eat"));
}

TEST_F(MainWindowTest, TheSameFileUnderAnotherPathOnlySwitchesToItsTab) {
    TempDir dir("same_file");
    const std::string inn = dir.CopySample("innkeeper.vrx", "Inn.vrx");
    const std::string other = dir.CopySample("blacksmith.vrx", "inn.vrx");
    std::filesystem::create_directory(dir.Path() / "sub");
    std::filesystem::create_symlink(inn, dir.Path() / "link.vrx");
    ASSERT_TRUE(window->OpenDialogueFile(inn));
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    ASSERT_TRUE(window->OpenDialogueFile(dir.File("sub/../Inn.vrx")));
    EXPECT_EQ(Documents().CurrentIndex(), 0u);
    Tabs()->setCurrentIndex(1);
    ASSERT_TRUE(window->OpenDialogueFile(dir.File("link.vrx")));
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(Documents().Count(), 2u);
    // Only the case differs, but it is another file.
    ASSERT_TRUE(window->OpenDialogueFile(other));
    EXPECT_EQ(TabTitles(),
              (QStringList{"Brannoc the Innkeeper", "Hedda Ironhand", "Hedda Ironhand"}));
}

TEST_F(MainWindowTest, NewAddsAnUntitledDocumentThatIsNoScratch) {
    std::deque<DialogStep> steps{[](QDialog& dialog) {
        auto& npc = dynamic_cast<CEditingDialog&>(dialog);
        npc.Control<QLineEdit>(1065)->setText("Orla");
        npc.Control<QAbstractButton>(1)->click();
    }};
    window->SetDialogRunner([&steps](QDialog& dialog) { return RunQueuedStep(steps, dialog); });
    window->OnNewDialogue();
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(TabTitles(), QStringList{"Orla"});  // the untouched scratch document went
    EXPECT_FALSE(Current().IsScratch());
    EXPECT_EQ(TreeDump(), "Initialization Node(0)");
    EXPECT_EQ(Tree()->currentItem(), Item("Initialization Node"));
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    EXPECT_EQ(TabTitles(), (QStringList{"Orla", "Hedda Ironhand"}));
}

TEST_F(MainWindowTest, SaveAsNamesTheDocumentAndQuitEndsTheWindow) {
    TempDir dir("save_as");
    window->OnNewDialogue();
    Select("Initialization Node");
    QTest::keyClicks(Comments(), "start");
    services.QueueFileChoice(dir.File("orla.vrx"));
    window->OnSave();
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- " + Absolute(dir.File("orla.vrx")));
    EXPECT_FALSE(Current().IsModified());
    EXPECT_EQ(services.GetWorkingDirectory(), dir.Path().string());
    EXPECT_EQ(services.GetProfileString("vorunda", "current directory", ""), dir.Path().string());
    Dialogue saved;
    ASSERT_EQ(saved.Load(dir.File("orla.vrx")), std::nullopt);
    EXPECT_EQ(saved.Root().GetComments(), "start");

    EXPECT_TRUE(window->OnQuit());  // nothing modified: no question
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, OpenThenSaveAllWritesEveryDocument) {
    TempDir dir("save_all");
    const std::string first = dir.CopySample("innkeeper.vrx", "a.vrx");
    const std::string second = dir.CopySample("blacksmith.vrx", "b.vrx");
    services.QueueFileChoice(first);
    window->OnOpen();
    EXPECT_EQ(services.GetWorkingDirectory(), dir.Path().string());
    ASSERT_TRUE(window->OpenDialogueFile(second));
    for (std::size_t i = 0; i < 2; ++i) {
        Documents().At(i).TypeComments(kInitializationNodeId, "saved " + std::to_string(i));
    }
    window->OnSaveAll();
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_FALSE(Documents().At(i).IsModified());
        Dialogue saved;
        ASSERT_EQ(saved.Load(i == 0 ? first : second), std::nullopt);
        EXPECT_EQ(saved.Root().GetComments(), "saved " + std::to_string(i));
    }
}

TEST_F(MainWindowTest, EscapeAndTheCloseBoxActAsQuit) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Current().SetModified(true);
    services.QueueAnswer(MessageAnswer::kCancel);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    services.QueueAnswer(MessageAnswer::kCancel);
    window->close();
    EXPECT_TRUE(window->isVisible());
    services.QueueAnswer(MessageAnswer::kNo);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(services.Messages().size(), 3u);
}

TEST_F(MainWindowTest, EnterDoesNothingAndTheFileKeysOpenAndSave) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(services.FileDialogs().empty());

    services.QueueFileChoice(std::nullopt);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    services.QueueFileChoice(std::nullopt);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(services.FileDialogs().size(), 2u);
    EXPECT_FALSE(services.FileDialogs()[0].save);
    EXPECT_TRUE(services.FileDialogs()[1].save);  // Save of a document without a path
}

TEST_F(MainWindowTest, RecentFilesOpenAndForgetFilesThatAreGone) {
    TempDir dir("recent");
    const std::string gone = dir.CopySample("blacksmith.vrx", "gone.vrx");
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    ASSERT_TRUE(window->OpenDialogueFile(gone));
    emit Menu("&File")->aboutToShow();
    QList<QAction*> entries = RecentMenu()->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 " + Absolute(gone));
    EXPECT_EQ(entries[1]->text(), "&2 " + Absolute(SamplePath("innkeeper.vrx")));

    entries[1]->trigger();
    EXPECT_EQ(Documents().CurrentIndex(), 0u);
    window->OnCloseDialogue();
    std::filesystem::remove(gone);
    window->OnCloseDialogue();
    services.QueueAnswer(MessageAnswer::kOk);
    emit Menu("&File")->aboutToShow();
    RecentMenu()->actions().front()->trigger();
    EXPECT_EQ(services.Messages().back().text, "Unable to open file");
    EXPECT_EQ(services.GetProfileString("Recent File List", "File1", ""),
              Absolute(SamplePath("innkeeper.vrx")).toStdString());
    EXPECT_EQ(services.GetProfileString("Recent File List", "File2", ""), "");
    emit Menu("&File")->aboutToShow();
    RecentMenu()->actions().front()->trigger();
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
}

TEST(MainWindowProfileTest, TheWorkingDirectoryComesBackFromTheProfile) {
    TempDir dir("profile");
    ScriptedPlatformServices services;
    services.WriteProfileString("vorunda", "current directory", dir.Path().string());
    CTalkwrightDlg window(services);
    EXPECT_EQ(services.GetWorkingDirectory(), dir.Path().string());
    EXPECT_FALSE(window.findChild<QMenu*>("recentFiles")->isEnabled());  // greyed while none
}

}  // namespace
}  // namespace tw::test
