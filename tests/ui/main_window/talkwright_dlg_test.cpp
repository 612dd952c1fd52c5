// The main window's files and documents driven as a writer drives them, with the platform's
// questions and file dialogs answered by the scripted services.

#include <QApplication>
#include <QProgressDialog>
#include <QTimer>

#include "generator/dialogue_generator.h"
#include "model/dialogue_file_format.h"
#include "model/dialogue_json.h"
#include "model/text/rich_text.h"
#include "model/text/rtf_reader.h"
#include "tester/party_settings.h"
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

// Types into fields by id and presses OK.
DialogStep Fill(std::vector<std::pair<int, QString>> fields) {
    return [fields = std::move(fields)](QDialog& opened) {
        auto& dialog = dynamic_cast<CEditingDialog&>(opened);
        for (const auto& [id, text] : fields) {
            dialog.Control<QLineEdit>(id)->setText(text);
        }
        dialog.Control<QAbstractButton>(1)->click();
    };
}

class WindowFilesTest : public MainWindowTest {
public:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->SetDialogRunner([this](QDialog& dialog) { return RunQueuedStep(steps, dialog); });
    }
    void TearDown() override {
        EXPECT_TRUE(steps.empty());
        MainWindowTest::TearDown();
    }
    void Open(const std::string& path) {
        services.QueueFileChoice(path);
        Trigger("open");
    }

    std::deque<DialogStep> steps;
    TempDir dir{"window_files"};
};

TEST_F(WindowFilesTest, StartsOnTheUntitledScratchDocumentWithEveryControlCaptioned) {
    EXPECT_EQ(TabTitles(), QStringList{"Untitled"});
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- Untitled");
    EXPECT_TRUE(NpcName()->isReadOnly());
    EXPECT_EQ(TreeDump(), "Initialization Node(0)");
    EXPECT_FALSE(NodeText()->isEnabled());
    EXPECT_EQ(NodeText()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_FALSE(Button(control_id::kAddResponse)->isEnabled());
    const std::pair<int, const char*> buttons[] = {
        {1117, "Expand/Collapse All"}, {1115, "Edit Party Settings"}, {1095, "Test Dialogue"},
        {1063, "Edit NPC Comments"},   {1002, "Edit NPC Properties"}, {1008, "Add Command"},
        {1009, "Edit Command"},        {1010, "Delete Command"},      {1011, "Add Response"},
        {1012, "Edit Response"},       {1013, "Delete Response"}};
    for (auto [id, caption] : buttons) {
        EXPECT_EQ(Button(id)->text().remove(QChar('&')), caption);
        EXPECT_FALSE(Button(id)->autoDefault()) << "Enter must do nothing";
    }
    // A column is at least as wide as it was made, and wider for its title in a large font.
    const std::tuple<EnhancedListCtrl*, int, const char*, int> columns[] = {
        {CommandList(), 0, "Command", 85},    {CommandList(), 1, "String", 260},
        {CommandList(), 2, "Condition", 140}, {ResponseList(), 0, "Tag", 70},
        {ResponseList(), 1, "Type", 40},      {ResponseList(), 2, "Response", 95},
        {ResponseList(), 3, "Goto Node", 64}, {ResponseList(), 4, "Condition", 140}};
    for (const auto& [list, index, title, width] : columns) {
        EXPECT_EQ(list->headerItem()->text(index), title);
        EXPECT_GE(list->columnWidth(index), width) << title;
    }
}

TEST_F(WindowFilesTest, OpeningShowsTheFileInPlaceOfTheUntouchedScratchDocument) {
    const std::string path = SamplePath("innkeeper.vrx");
    Open(path);
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- " + Absolute(path));
    EXPECT_EQ(NpcName()->text(), "Brannoc the Innkeeper");
    EXPECT_EQ(TreeDump(), kInnTree);
    EXPECT_EQ(Tree()->currentItem(), Item("Initialization Node"));
    EXPECT_EQ(services.GetProfileString("Recent File List", "File1", ""),
              Absolute(path).toStdString());

    Select("Welcome [first meeting]");
    EXPECT_TRUE(NodeText()->toPlainText().startsWith(
        "Welcome to the Gilded Tankard, stranger! Our caf\u00e9 serves"));
    EXPECT_EQ(Column(*CommandList(), 1),
              (QStringList{"set kMetBrannoc = TRUE", "reply $playerName"}));
    EXPECT_EQ(Column(*ResponseList(), 2),
              (QStringList{"I need a room for the night.", "What's on the menu?", "Farewell."}));
    EXPECT_EQ(ResponseList()->topLevelItem(0)->toolTip(2), "I need a room for the night.");
    Select("Initialization Node");  // no text to write, but commands with their conditions
    EXPECT_FALSE(NodeText()->isEnabled());
    EXPECT_EQ(Comments()->text(), "Greets strangers and regulars differently");
    EXPECT_EQ(Column(*CommandList(), 2), (QStringList{"kMetBrannoc == FALSE", "kMetBrannoc"}));
    EXPECT_FALSE(Current().IsModified()) << "filling the view is no change";

    // The same file under another path only switches to its tab.
    const std::string link = (dir.Path() / "link.vrx").string();
    std::filesystem::create_symlink(path, link);
    Open(SamplePath("blacksmith.vrx"));
    Open(link);
    EXPECT_EQ(TabTitles(), (QStringList{"Brannoc the Innkeeper", "Hedda Ironhand"}));
    EXPECT_EQ(Tabs()->currentIndex(), 0);
}

TEST_F(WindowFilesTest, TypedTextAndCommentsGoIntoTheNodeAndLeaveTheRestAsItWas) {
    Open(SamplePath("innkeeper.vrx"));
    const std::string rtf = Node("WelcomeBack").GetText();
    Select("WelcomeBack [returning guest]");
    QTest::keyClicks(Comments(), "x");
    EXPECT_EQ(Node("WelcomeBack").GetText(), rtf);
    EXPECT_EQ(Node("WelcomeBack").GetComments(), "x");
    Select("Farewell");
    QTest::keyClick(NodeText(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(NodeText(), " Mind the wolves.");
    EXPECT_TRUE(Node("Farewell").IsTextRich());
    EXPECT_EQ(PlainText(ReadRtf(Node("Farewell").GetText())),
              "Safe roads, friend. Mind the wolves.");
    const std::string comment(40000, 'c');  // a long comment is shown and kept whole
    Comments()->setText(QString::fromStdString(comment));
    QTest::keyClicks(Comments(), "!");
    EXPECT_EQ(Node("Farewell").GetComments(), comment + "!");
}

// The tab and the title say that a dialogue has unsaved changes, until a save or undoing
// back to the saved state; undoing past a save is a change again.
TEST_F(WindowFilesTest, TheModifiedMarkFollowsSaveAndUndo) {
    const std::string path = dir.CopySample("innkeeper.vrx", "inn.vrx");
    Open(path);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QString title = "Vorunda Dialogue Editor -- " + Absolute(path);
    QTest::mouseClick(Comments(), Qt::LeftButton);
    QTest::keyClicks(Comments(), "note");
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper *"});
    EXPECT_EQ(ShownTitle(), title + "*");
    QTest::keyClick(Comments(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    EXPECT_EQ(ShownTitle(), title);
    QTest::keyClicks(Comments(), "kept");
    QTest::keyClick(Comments(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    QTest::keyClick(Comments(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ShownTitle(), title + "*");
    QTest::keyClick(Comments(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(ShownTitle(), title);
}

TEST_F(WindowFilesTest, ClosingAsksAndShowsTheTabBefore) {
    const std::string path = dir.CopySample("innkeeper.vrx", "inn.vrx");
    Open(SamplePath("blacksmith.vrx"));
    Open(path);
    Open(dir.CopySample("blacksmith.vrx", "copy.vrx"));
    QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(1).center());
    Select("Farewell");
    QTest::keyClicks(Comments(), "kept");
    services.QueueAnswer(MessageAnswer::kCancel);
    Trigger("closeDialogue");
    EXPECT_EQ(Tree()->currentItem(), Item("Farewell"));
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("closeDialogue");
    EXPECT_EQ(services.Messages().back().text, "Save changes to Brannoc the Innkeeper?");
    EXPECT_EQ(TabTitles(), (QStringList{"Hedda Ironhand", "Hedda Ironhand"}));
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(Documents().CurrentIndex(), 0u);
    Dialogue saved;
    ASSERT_EQ(saved.Load(path), std::nullopt);
    EXPECT_EQ(saved.FindNodeByName("Farewell")->GetComments(), "kept");
}

TEST_F(WindowFilesTest, AFailedSaveKeepsTheDocumentModifiedAndQuitStays) {
    auto gone = std::make_unique<TempDir>("window_files_gone");
    const std::string path = gone->CopySample("innkeeper.vrx", "inn.vrx");
    Open(path);
    QTest::keyClicks(Comments(), "unsaved");
    gone.reset();
    services.QueueAnswer(MessageAnswer::kOk);
    Trigger("save");
    EXPECT_EQ(services.Messages().back().text,
              "Unable to create file " + path + " (No such file or directory).");
    services.QueueAnswer(MessageAnswer::kYes);
    services.QueueAnswer(MessageAnswer::kOk);
    Trigger("quit");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper *"});
}

TEST_F(WindowFilesTest, AnUnreadableFileIsReportedAndReplacesNothing) {
    Open(SamplePath("innkeeper.vrx"));
    Select("Eat");
    services.QueueAnswer(MessageAnswer::kOk);
    Open(dir.Write("damaged.vrx", std::string("\xA9\xC3\xF4\x70\x66", 5)));
    EXPECT_EQ(services.Messages().back().caption, "Error");
    EXPECT_EQ(services.Messages().back().text, kDamagedMessage);
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
    EXPECT_EQ(Tree()->currentItem(), Item("Eat"));
}

// New asks for the NPC; Save As names the document; Save All writes every one; Quit asks
// nothing once all is saved.
TEST_F(WindowFilesTest, NewSaveAsSaveAllAndQuit) {
    steps.push_back(Fill({{1065, "Orla"}}));
    Trigger("newDialogue");
    EXPECT_EQ(TabTitles(), QStringList{"Orla"});  // the untouched scratch document went
    EXPECT_FALSE(Current().IsScratch());
    Select("Initialization Node");
    QTest::keyClicks(Comments(), "start");
    services.QueueFileChoice(dir.File("orla.vrx"));
    Trigger("saveAs");
    EXPECT_EQ(ShownTitle(), "Vorunda Dialogue Editor -- " + Absolute(dir.File("orla.vrx")));
    EXPECT_EQ(services.GetProfileString("vorunda", "current directory", ""), dir.Path().string());
    Open(dir.CopySample("blacksmith.vrx", "b.vrx"));
    for (std::size_t i = 0; i < 2; ++i) {
        Documents().At(i).TypeComments(kInitializationNodeId, "saved " + std::to_string(i));
    }
    Trigger("saveAll");
    for (const char* file : {"orla.vrx", "b.vrx"}) {
        Dialogue saved;
        ASSERT_EQ(saved.Load(dir.File(file)), std::nullopt);
        EXPECT_EQ(saved.Root().GetComments().substr(0, 6), "saved ") << file;
    }
    Trigger("quit");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowFilesTest, EscapeAndTheCloseBoxActAsQuitAndEnterDoesNothing) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Return);
    services.QueueFileChoice(std::nullopt);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    services.QueueFileChoice(std::nullopt);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(services.FileDialogs().size(), 2u);
    EXPECT_FALSE(services.FileDialogs()[0].save);
    EXPECT_TRUE(services.FileDialogs()[1].save);  // Save of a document without a path
    Current().SetModified(true);
    services.QueueAnswer(MessageAnswer::kCancel);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    services.QueueAnswer(MessageAnswer::kNo);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(services.Messages().size(), 2u);
}

TEST_F(WindowFilesTest, RecentFilesOpenAndForgetFilesThatAreGone) {
    const std::string gone = dir.CopySample("blacksmith.vrx", "gone.vrx");
    Open(SamplePath("innkeeper.vrx"));
    Open(gone);
    emit Menu("&File")->aboutToShow();
    QList<QAction*> entries = RecentMenu()->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 " + Absolute(gone));
    entries[1]->trigger();
    EXPECT_EQ(Documents().CurrentIndex(), 0u);
    Trigger("closeDialogue");
    std::filesystem::remove(gone);
    Trigger("closeDialogue");
    services.QueueAnswer(MessageAnswer::kOk);
    emit Menu("&File")->aboutToShow();
    RecentMenu()->actions().front()->trigger();
    EXPECT_EQ(services.Messages().back().text, "Unable to open file");
    EXPECT_EQ(services.GetProfileString("Recent File List", "File2", ""), "");
    emit Menu("&File")->aboutToShow();
    RecentMenu()->actions().front()->trigger();
    EXPECT_EQ(TabTitles(), QStringList{"Brannoc the Innkeeper"});
}

TEST_F(WindowFilesTest, ExportWritesTheScriptAndBatchExportAWholeDirectory) {
    namespace fs = std::filesystem;
    fs::create_directories(dir.Path() / "source/sub");
    Open(SamplePath("innkeeper.vrx"));
    services.QueueFileChoice(dir.File("inn.txt"));
    Trigger("export");
    EXPECT_EQ(services.FileDialogs().back().request.filters,
              (std::vector<FileFilter>{{"Rich Text Format (*.rtf)", "*.rtf"},
                                       {"ASCII Text format (*.txt)", "*.txt"}}));
    const std::string script = ReadFile(dir.File("inn.txt"));
    EXPECT_NE(script.find("goto WelcomeBack"), std::string::npos);
    EXPECT_NE(script.find("\r\n"), std::string::npos);
    services.QueueFileChoice(dir.File("missing/inn.txt"));
    services.QueueAnswer(MessageAnswer::kOk);
    Trigger("export");
    EXPECT_EQ(services.Messages().back().text, "Unable to create output file");

    dir.CopySample("innkeeper.vrx", "source/a.vrx");
    dir.CopySample("blacksmith.vrx", "source/sub/b.vrx");
    dir.CopySample("blacksmith.vrx", "source/C.VRX");
    dir.Write("source/broken.vrx", "not a dialogue");
    services.SetWorkingDirectory(dir.File("source"));
    services.QueueFileChoice(dir.File("out.txt"));
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
    EXPECT_TRUE(fs::exists(dir.Path() / "a.txt"));
    EXPECT_NE(ReadFile(dir.File("b.txt")).find("Hedda"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.Path() / "C.txt") || fs::exists(dir.Path() / "broken.txt"));
}

// Edit Command and OK on every kind of command leaves each as it was.
TEST_F(WindowFilesTest, EditCommandKeepsEveryKindAsItWas) {
    Open(dir.Write("generated.vrx", GenerateDialogue({.nodes = 30, .seed = 5})->Write()));
    const std::string before = DialogueToJson(Current());
    int edited = 0;
    window->SetDialogRunner([&edited](QDialog& dialog) {
        dialog.show();
        dynamic_cast<CEditingDialog&>(dialog).Control<QAbstractButton>(1)->click();
        edited += dialog.result() == QDialog::Accepted ? 1 : 0;
        return dialog.result();
    });
    for (int i = 0; i < 12 && i < Tree()->topLevelItemCount(); ++i) {
        Select(Tree()->topLevelItem(i)->text(0));
        for (int row = 0; row < CommandList()->RowCount(); ++row) {
            QTest::mouseClick(
                CommandList()->viewport(), Qt::LeftButton, {},
                CommandList()->visualItemRect(CommandList()->topLevelItem(row)).center());
            Press(control_id::kEditCommand);
        }
    }
    EXPECT_GE(edited, 20);
    EXPECT_EQ(DialogueToJson(Current()), before);
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
