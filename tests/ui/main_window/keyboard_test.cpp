// The main window without a mouse: mnemonics on the buttons and the node menu from the
// keyboard.

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <set>

#include "main_window_fixture.h"

namespace tw::test {
namespace {

class KeyboardTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->SetDialogRunner([this](QDialog& dialog) {
            opened << dialog.windowTitle();
            return int{QDialog::Rejected};
        });
        ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Select("Welcome [first meeting]");
    }
    QStringList opened;
};

// Every menu title and button has a letter of its own, and Alt with it presses the button;
// Enter presses none of them.
TEST_F(KeyboardTest, EveryButtonHasItsOwnMnemonicAndAltPressesIt) {
    std::set<QChar> letters;
    for (const QAction* menu : MenuBar()->actions()) {
        letters.insert(menu->text().at(menu->text().indexOf('&') + 1).toLower());
    }
    QStringList captions;
    for (int id : {1117, 1115, 1095, 1063, 1002, 1008, 1009, 1010, 1011, 1012, 1013}) {
        captions << Button(id)->text();
        EXPECT_FALSE(Button(id)->autoDefault()) << "Enter must do nothing";
    }
    for (const QString& caption : captions) {
        ASSERT_EQ(caption.count('&'), 1) << caption.toStdString();
        EXPECT_TRUE(letters.insert(caption.at(caption.indexOf('&') + 1).toLower()).second)
            << "mnemonic used twice: " << caption.toStdString();
    }
    QSignalSpy add(Button(control_id::kAddCommand), &QPushButton::clicked);
    Tree()->setFocus();
    // Through the window system, where shortcuts are matched; the button is pressed after
    // its short press animation.
    QTest::keyClick(window->windowHandle(), Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(add.count() == 1 || add.wait(2000));
    EXPECT_EQ(opened, QStringList{"Add Command"});
}

// The menu opens beside the node the writer is on, and the selection stays.
TEST_F(KeyboardTest, TheMenuKeyAndShiftF10OpenTheNodeMenuAtTheCurrentNode) {
    QTreeWidgetItem* current = Tree()->currentItem();
    const QPoint itemCentre =
        Tree()->viewport()->mapToGlobal(Tree()->visualItemRect(current).center());
    for (auto [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        QStringList actions;
        QPoint menuCorner;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            menuCorner = menu->pos();
            for (QAction* action : menu->actions()) {
                actions << action->text();
            }
            menu->close();
        });
        Tree()->setFocus();
        QTest::keyClick(Tree(), key, modifiers);
        EXPECT_TRUE(actions.contains("&Rename")) << actions.join('|').toStdString();
        EXPECT_EQ(Tree()->currentItem(), current);
        EXPECT_LE((menuCorner - itemCentre).manhattanLength(), 2);
    }
}

}  // namespace
}  // namespace tw::test
