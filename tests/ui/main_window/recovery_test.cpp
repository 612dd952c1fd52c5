// Unsaved work comes back after a window that ended without its shut-down: typed, copied
// after the interval, offered to the next window, recovered and saved where it belongs.

#include <QTreeWidget>

#include "generator/dialogue_generator.h"
#include "ui/document/recovery_service.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/main_window/recovery_offer.h"

namespace tw {
namespace {

using namespace std::chrono_literals;

class RecoveryTest : public test::MainWindowTest {
public:
    void SetUp() override {
        MainWindowTest::SetUp();
        Dialogue dialogue;
        dialogue.Npc().name = "Brannoc";
        dialogue.AddNode(1, kInitializationNodeId, "Greet", "");
        original = dialogue.Write();
        path = dir.Write("inn.vrx", original);
        StartService();
    }
    void StartService() {
        recovery = std::make_unique<RecoveryService>(Documents(), dir.File("recovery"), 50ms);
    }
    // The window goes as a kill takes it: no questions, no shut-down.
    void EndWithoutShutDown() {
        recovery.reset();
        window.reset();
        window = std::make_unique<CTalkwrightDlg>(services);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        StartService();
    }
    void TypeInGreet(const QString& text) {
        ASSERT_TRUE(window->OpenDialogueFile(path));
        Select("Greet");
        QTest::keyClicks(NodeText(), text);
    }
    std::size_t CopyFiles() const {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.File("recovery"))) {
            count += entry.path().extension() == ".vrx" ? 1 : 0;
        }
        return count;
    }
    // Offers the left copies; the writer looks at the list and presses button.
    QStringList Offer(const QString& button) {
        QStringList rows;
        OfferRecovery(
            *recovery, services,
            [&](QDialog& dialog) {
                dialog.show();
                auto* list = dialog.findChild<QTreeWidget*>("recoveryCopies");
                for (int i = 0; list != nullptr && i < list->topLevelItemCount(); ++i) {
                    rows << list->topLevelItem(i)->text(0) + "|" + list->topLevelItem(i)->text(1);
                }
                auto* pressed = dialog.findChild<QPushButton*>(button);
                if (pressed != nullptr) {
                    QTest::mouseClick(pressed, Qt::LeftButton);
                }
                return dialog.result();
            },
            window.get());
        return rows;
    }

    test::TempDir dir{"recovery"};
    std::string original;
    std::string path;
    std::unique_ptr<RecoveryService> recovery;
};

TEST_F(RecoveryTest, TypedWorkIsRecoveredAndSavedToItsOriginalFile) {
    TypeInGreet("Well met");
    QTRY_COMPARE_WITH_TIMEOUT(CopyFiles(), 1u, 5000);
    recovery->WaitForWrites();
    EndWithoutShutDown();
    EXPECT_EQ(test::ReadFile(path), original);  // the writer's file is never touched

    EXPECT_EQ(Offer("recover"), QStringList{"inn.vrx|Brannoc"});
    ASSERT_EQ(Current().GetPath(), path);
    EXPECT_TRUE(Current().IsModified());
    EXPECT_EQ(ShownTitle().count('*'), 1);
    EXPECT_NE(Node("Greet").GetText().find("Well met"), std::string::npos);
    EXPECT_TRUE(Offer("recover").isEmpty());  // it is this window's own now

    Trigger("save");
    recovery->WaitForWrites();
    EXPECT_EQ(CopyFiles(), 0u);
    Dialogue saved;
    ASSERT_EQ(saved.Load(path), std::nullopt);
    EXPECT_NE(saved.FindNodeByName("Greet")->GetText().find("Well met"), std::string::npos);
}

// A large dialogue's copy is made a slice at a time between events. Typing into a node the
// first slice has written drops what was made; the copy that lands holds that typing too.
TEST_F(RecoveryTest, TypingWhileALargeCopyIsMadeIsInTheCopy) {
    std::unique_ptr<Dialogue> large = GenerateDialogue({.nodes = 40000, .seed = 3});
    large->Root().InsertChild(0, std::make_unique<DialogueNode>(large->GetNextNodeId(), "Greet"));
    large->SetNextNodeId(large->GetNextNodeId() + 1);
    path = dir.Write("inn.vrx", large->Write());
    TypeInGreet("Well met");
    auto* copy = CurrentDocument().findChild<DocumentRecovery*>();
    ASSERT_NE(copy, nullptr);
    bool typedMeanwhile = false;
    QObject::connect(&copy->Timer(), &QTimer::timeout, copy, [&] {
        if (!typedMeanwhile && copy->bytes != nullptr) {
            typedMeanwhile = true;
            QTest::keyClicks(NodeText(), ", traveller");
        }
    });
    QTRY_VERIFY_WITH_TIMEOUT(typedMeanwhile, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(CopyFiles(), 1u, 10000);
    recovery->WaitForWrites();
    EndWithoutShutDown();
    Offer("recover");
    EXPECT_NE(Node("Greet").GetText().find("Well met, traveller"), std::string::npos);
}

TEST_F(RecoveryTest, DiscardedAndClosedWorkIsNotOffered) {
    TypeInGreet("Lost");
    QTRY_COMPARE_WITH_TIMEOUT(CopyFiles(), 1u, 5000);
    services.QueueAnswer(MessageAnswer::kNo);  // "Save changes to Brannoc?"
    Trigger("closeDialogue");
    recovery->WaitForWrites();
    EXPECT_EQ(CopyFiles(), 0u);

    TypeInGreet("Kept");
    QTRY_COMPARE_WITH_TIMEOUT(CopyFiles(), 1u, 5000);
    EndWithoutShutDown();
    EXPECT_EQ(Offer("discard"), QStringList{"inn.vrx|Brannoc"});
    EXPECT_EQ(CopyFiles(), 0u);
    EXPECT_EQ(Documents().Count(), 1u);
    EXPECT_TRUE(Offer("recover").isEmpty());
}

}  // namespace
}  // namespace tw
