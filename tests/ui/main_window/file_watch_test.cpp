// Another program writes the file of an open dialogue again and again while the window's
// question is open; the other cases of the file watch are walks in data/window_steps.txt.

#include <fstream>

#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

using Message = ScriptedPlatformServices::Message;

// The dialogue of the inn with these nodes; each version has another size.
std::string Version(const std::vector<std::string>& nodes) {
    Dialogue dialogue;
    dialogue.Npc().name = "Brannoc";
    std::int32_t id = 1;
    for (const std::string& name : nodes) {
        dialogue.AddNode(id++, kInitializationNodeId, name, "");
    }
    dialogue.SetNextNodeId(id);
    return dialogue.Write();
}

void OtherProgramWrites(const std::string& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A question is a modal box: the window runs on under it, and the other program may write
// again meanwhile. Yes then takes the newest version, and nothing more is asked.
TEST_F(MainWindowTest, ManyNotificationsAskOnceAndNeverWhileTheQuestionIsOpen) {
    const TempDir dir{"file_watch"};
    const std::string path = dir.Write("inn.vrx", Version({"Greet"}));
    ASSERT_TRUE(window->OpenDialogueFile(path));
    const std::string newest = Version({"Greet", "Farewell", "Rumours", "Prices"});
    services.SetWhileShown([&](const Message&) {
        OtherProgramWrites(path, Version({"Greet", "Farewell", "Rumours"}));
        OtherProgramWrites(path, newest);
        QTest::qWait(500);
    });
    services.QueueAnswer(MessageAnswer::kYes);
    for (const char* node : {"A", "Bb", "Ccc", "Dddd", "Farewell"}) {
        OtherProgramWrites(path, Version({"Greet", node}));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !services.Messages().empty(); }, 5000));
    QTest::qWait(500);
    services.SetWhileShown(nullptr);
    const Message asked{"Dialogue Editor",
                        path + " has been changed by another program. Reload it?",
                        MessageButtons::kYesNo, MessageKind::kQuestion};
    EXPECT_EQ(services.Messages(), std::vector<Message>{asked});
    EXPECT_EQ(Current().Write(), newest);
    EXPECT_FALSE(Current().IsModified());
}

}  // namespace
}  // namespace tw::test
