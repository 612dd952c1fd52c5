// Another program changes the file of an open dialogue: the window asks to reload an
// unmodified one (one step Undo takes back), keeps a modified one and asks before a Save
// overwrites the other program's file. A touch and the editor's own saves ask nothing.

#include <filesystem>
#include <fstream>

#include "ui/main_window/main_window_fixture.h"

namespace tw {
namespace {

using Message = ScriptedPlatformServices::Message;

// How the other program writes: over the file in place, as most do, or by a rename over
// it, as careful ones (and this editor) do, which leaves a watch on the old file behind.
enum class Writing { kInPlace, kByRename };

class FileWatchTest : public test::MainWindowTest {
public:
    void SetUp() override {
        MainWindowTest::SetUp();
        path = dir.Write("inn.vrx", Version({"Greet"}));
        ASSERT_TRUE(window->OpenDialogueFile(path));
    }

    // The dialogue of the inn with these nodes; each version has another size.
    static std::string Version(const std::vector<std::string>& nodes) {
        Dialogue dialogue;
        dialogue.Npc().name = "Brannoc";
        std::int32_t id = 1;
        for (const std::string& name : nodes) {
            dialogue.AddNode(id++, kInitializationNodeId, name, "");
        }
        dialogue.SetNextNodeId(id);
        return dialogue.Write();
    }
    static void OtherProgramWrites(const std::string& file, const std::string& bytes,
                                   Writing writing = Writing::kInPlace) {
        if (writing == Writing::kInPlace) {
            std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
            return;
        }
        std::ofstream(file + ".new", std::ios::binary) << bytes;
        std::filesystem::rename(file + ".new", file);
    }

    bool WaitForMessages(std::size_t count) {
        return QTest::qWaitFor([&] { return services.Messages().size() >= count; }, 5000);
    }
    // Time for notifications to arrive that must ask nothing.
    static void LetNotificationsArrive() { QTest::qWait(500); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(Tree(), key, modifiers);
    }
    void TypeInGreet(const QString& text) {
        Select("Greet");
        QTest::keyClicks(NodeText(), text);
    }

    static Message Asked(const std::string& text) {
        return {"Dialogue Editor", text, MessageButtons::kYesNo, MessageKind::kQuestion};
    }
    static Message Told(const std::string& text) {
        return {"Dialogue Editor", text, MessageButtons::kOk, MessageKind::kWarning};
    }
    Message ReloadQuestion(const std::string& file) const {
        return Asked(file + " has been changed by another program. Reload it?");
    }
    Message OverwriteQuestion() const {
        return Asked(path + " has been changed on disk since it was opened. Overwrite it?");
    }

    test::TempDir dir{"file_watch"};
    std::string path;
};

class ReloadTest : public FileWatchTest, public testing::WithParamInterface<Writing> {};

TEST_P(ReloadTest, UnmodifiedDocumentAsksAndReloadsAsOneStepUndoTakesBack) {
    services.QueueAnswer(MessageAnswer::kYes);
    OtherProgramWrites(path, Version({"Greet", "Farewell"}), GetParam());
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(services.Messages(), std::vector<Message>{ReloadQuestion(path)});
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greet(1);Farewell(2)");
    EXPECT_FALSE(Current().IsModified());
    EXPECT_EQ(ShownTitle().count('*'), 0);
    EXPECT_EQ(Action("undo")->text(), "&Undo Reload");

    Key(Qt::Key_Z);
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greet(1)");
    EXPECT_TRUE(Current().IsModified());
    EXPECT_EQ(ShownTitle().count('*'), 1);
    Key(Qt::Key_Y);
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greet(1);Farewell(2)");
    EXPECT_FALSE(Current().IsModified());

    // The watch holds after the file was replaced; No keeps the document as it is.
    services.QueueAnswer(MessageAnswer::kNo);
    OtherProgramWrites(path, Version({"Greet", "Farewell", "Rumours"}), GetParam());
    ASSERT_TRUE(WaitForMessages(2));
    EXPECT_EQ(services.Messages().back(), ReloadQuestion(path));
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greet(1);Farewell(2)");
    EXPECT_FALSE(Current().IsModified());
}

INSTANTIATE_TEST_SUITE_P(Writings, ReloadTest,
                         testing::Values(Writing::kInPlace, Writing::kByRename),
                         [](const testing::TestParamInfo<Writing>& tested) {
                             return tested.param == Writing::kInPlace ? "InPlace" : "ByRename";
                         });

TEST_F(FileWatchTest, ModifiedDocumentKeepsTheWritersVersion) {
    TypeInGreet("Well met");
    services.QueueAnswer(MessageAnswer::kOk);
    OtherProgramWrites(path, Version({"Greet", "Farewell"}));
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(
        services.Messages(),
        std::vector<Message>{Told(path + " has been changed by another program. Your version is "
                                         "kept; Save asks before it overwrites the file.")});
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greet(1)");
    EXPECT_EQ(NodeText()->toPlainText(), "Well met");
    EXPECT_TRUE(Current().IsModified());
}

TEST_F(FileWatchTest, SaveOverAChangedFileAsksBeforeOverwriting) {
    TypeInGreet("Well met");
    services.QueueAnswer(MessageAnswer::kOk);
    const std::string theirs = Version({"Greet", "Farewell"});
    OtherProgramWrites(path, theirs);
    ASSERT_TRUE(WaitForMessages(1));

    services.QueueAnswer(MessageAnswer::kNo);
    Key(Qt::Key_S);
    EXPECT_EQ(services.Messages().back(), OverwriteQuestion());
    EXPECT_EQ(test::ReadFile(path), theirs);
    EXPECT_TRUE(Current().IsModified());

    services.QueueAnswer(MessageAnswer::kYes);
    Key(Qt::Key_S);
    EXPECT_EQ(services.Messages().size(), 3u);
    EXPECT_EQ(test::ReadFile(path), Current().Write());
    EXPECT_FALSE(Current().IsModified());
    LetNotificationsArrive();
    EXPECT_EQ(services.Messages().size(), 3u);
}

TEST_F(FileWatchTest, OwnSavesAndATouchAskNothing) {
    TypeInGreet("Well met");
    Key(Qt::Key_S);
    LetNotificationsArrive();
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) + std::chrono::minutes(5));
    LetNotificationsArrive();
    TypeInGreet(", traveller");
    Key(Qt::Key_S);
    Trigger("saveAll");
    const std::string moved = dir.File("moved.vrx");
    services.QueueFileChoice(moved);
    Trigger("saveAs");
    LetNotificationsArrive();
    EXPECT_TRUE(services.Messages().empty());
    EXPECT_EQ(test::ReadFile(moved), Current().Write());
    EXPECT_NE(Node("Greet").GetText().find("traveller"), std::string::npos);

    // The watch follows the document to its new file and lets go of the old one.
    OtherProgramWrites(path, Version({"Greet", "Farewell"}));
    LetNotificationsArrive();
    EXPECT_TRUE(services.Messages().empty());
    services.QueueAnswer(MessageAnswer::kNo);
    OtherProgramWrites(moved, Version({"Greet", "Farewell"}));
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(services.Messages().back(), ReloadQuestion(moved));
}

// A question is a modal box: the window runs on under it, and the other program may write
// again meanwhile. Yes then takes the newest version, and nothing more is asked.
TEST_F(FileWatchTest, ManyNotificationsAskOnceAndNeverWhileTheQuestionIsOpen) {
    const std::string newest = Version({"Greet", "Farewell", "Rumours", "Prices"});
    services.SetWhileShown([&](const Message&) {
        OtherProgramWrites(path, Version({"Greet", "Farewell", "Rumours"}));
        OtherProgramWrites(path, newest);
        LetNotificationsArrive();
    });
    services.QueueAnswer(MessageAnswer::kYes);
    for (const char* node : {"A", "Bb", "Ccc", "Dddd", "Farewell"}) {
        OtherProgramWrites(path, Version({"Greet", node}));
    }
    ASSERT_TRUE(WaitForMessages(1));
    LetNotificationsArrive();
    services.SetWhileShown(nullptr);
    EXPECT_EQ(services.Messages(), std::vector<Message>{ReloadQuestion(path)});
    EXPECT_EQ(Current().Write(), newest);
    EXPECT_FALSE(Current().IsModified());
}

TEST_F(FileWatchTest, AQuestionForAnotherTabNamesItsFileAndReloadsThatDocument) {
    const std::string forge = dir.Write("forge.vrx", Version({"Anvil"}));
    ASSERT_TRUE(window->OpenDialogueFile(forge));
    ASSERT_EQ(Documents().CurrentIndex(), 1u);
    services.QueueAnswer(MessageAnswer::kYes);
    OtherProgramWrites(path, Version({"Greet", "Farewell"}));
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(services.Messages(), std::vector<Message>{ReloadQuestion(path)});
    EXPECT_EQ(Documents().CurrentIndex(), 1u);
    EXPECT_EQ(Documents().At(0).GetDialogue().Write(), Version({"Greet", "Farewell"}));
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Anvil(1)");
}

TEST_F(FileWatchTest, ADeletedFileIsToldOfAndSaveWritesItAgain) {
    services.QueueAnswer(MessageAnswer::kOk);
    std::filesystem::remove(path);
    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(services.Messages(),
              std::vector<Message>{Told(path + " has been deleted by another program. The dialogue "
                                               "stays open; Save writes the file again.")});
    Key(Qt::Key_S);
    EXPECT_EQ(test::ReadFile(path), Current().Write());
    LetNotificationsArrive();
    EXPECT_EQ(services.Messages().size(), 1u);
}

// Dialogues of one directory share its watch, which sees a deleted file come back.
TEST_F(FileWatchTest, ClosingADialogueLeavesItsNeighboursWatched) {
    ASSERT_TRUE(window->OpenDialogueFile(dir.Write("forge.vrx", Version({"Anvil"}))));
    Trigger("closeDialogue");
    ASSERT_EQ(Documents().Count(), 1u);
    services.QueueAnswer(MessageAnswer::kOk);
    std::filesystem::remove(path);
    ASSERT_TRUE(WaitForMessages(1));

    services.QueueAnswer(MessageAnswer::kYes);
    OtherProgramWrites(path, Version({"Greet", "Farewell"}));
    ASSERT_TRUE(WaitForMessages(2));
    EXPECT_EQ(services.Messages().back(), ReloadQuestion(path));
    EXPECT_EQ(TreeDump(), "Initialization Node(0);Greet(1);Farewell(2)");
}

}  // namespace
}  // namespace tw
