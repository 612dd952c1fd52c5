// The main window without a mouse: mnemonics on the buttons, the lists' keys and the
// node tree's context menu from the keyboard.

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <set>

#include "main_window_fixture.h"
#include "ui/views/problems_pane.h"

namespace tw::test {
namespace {

class KeyboardTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->SetDialogRunner([this](QDialog& dialog) {
            opened << dialog.metaObject()->className() + QString(":") + dialog.windowTitle();
            return int{QDialog::Rejected};
        });
        ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
        Tree()->expandAll();
        for (QTreeWidgetItemIterator it(Tree()); *it != nullptr; ++it) {
            Tree()->setCurrentItem(*it);
            if (CommandList()->RowCount() > 0 && ResponseList()->RowCount() > 0) {
                return;
            }
        }
        FAIL() << "the sample has no node with commands and responses";
    }
    QStringList opened;
};

// A double-click on a row opens the dialog Enter opens; a double-click on a response's line
// edits it in its cell instead.
TEST_F(KeyboardTest, DoubleClickOnARowEditsItAsEnterDoes) {
    for (EnhancedListCtrl* list : {CommandList(), ResponseList()}) {
        const QRect row = list->visualItemRect(list->topLevelItem(0));
        const QPoint firstCell(list->columnViewportPosition(0) + 8, row.center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, firstCell);
        QTest::keyClick(list, Qt::Key_Return);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, firstCell);
        ASSERT_EQ(opened.size(), 2);
        EXPECT_EQ(opened[1], opened[0]);
        opened.clear();
    }
}

// Escape that closes something of its own (a cell editor, the Problems pane's list) ends
// there: the window would take it for Quit and ask about the modified dialogue.
TEST_F(KeyboardTest, EscapeInACellEditorOrTheProblemsPaneStaysInTheWindow) {
    Current().SetModified(true);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EnhancedListCtrl* list = ResponseList();
    const QString line = list->ItemText(0, 2);
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    const QPoint cell(list->columnViewportPosition(2) + 8, row.center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "never kept");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(list->ItemText(0, 2), line);
    EXPECT_TRUE(window->isVisible());

    QTableView* problems = Problems()->List();
    QTest::mouseClick(problems->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    ASSERT_EQ(QApplication::focusWidget(), problems);
    QTest::keyClick(problems, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Tree());
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(KeyboardTest, EveryButtonHasItsOwnMnemonic) {
    std::set<QChar> letters;
    for (const QAction* menu : MenuBar()->actions()) {
        const QString title = menu->text();
        ASSERT_EQ(title.count('&'), 1) << title.toStdString();
        letters.insert(title.at(title.indexOf('&') + 1).toLower());
    }
    ASSERT_TRUE(letters.count('f') && letters.count('h')) << "the menu titles were not read";
    const int ids[] = {1117, 1115, 1095, 1063, 1002, 1008, 1009, 1010, 1011, 1012, 1013};
    for (int id : ids) {
        const QString caption = Button(id)->text();
        ASSERT_EQ(caption.count('&'), 1) << caption.toStdString();
        const QChar letter = caption.at(caption.indexOf('&') + 1).toLower();
        EXPECT_TRUE(letters.insert(letter).second)
            << "mnemonic used twice: " << caption.toStdString();
    }
}

TEST_F(KeyboardTest, AltAndTheMnemonicPressesTheButton) {
    QSignalSpy test(Button(control_id::kTestDialogue), &QPushButton::clicked);
    QSignalSpy add(Button(control_id::kAddCommand), &QPushButton::clicked);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Tree()->setFocus();
    // Through the window system, as a key typed by the writer: that is where shortcuts are
    // matched.
    QTest::keyClick(window->windowHandle(), Qt::Key_A, Qt::AltModifier);
    // A mnemonic presses the button as a click would, after its short press animation.
    EXPECT_TRUE(add.count() == 1 || add.wait(2000));
    EXPECT_EQ(add.count(), 1);
    EXPECT_EQ(test.count(), 0);
    EXPECT_EQ(opened, QStringList{"tw::CCommandDlg:Add Command"});
}

TEST_F(KeyboardTest, TheListsKeysAddEditAndDelete) {
    QSignalSpy deleteCommand(Button(control_id::kDeleteCommand), &QPushButton::clicked);
    QSignalSpy deleteResponse(Button(control_id::kDeleteResponse), &QPushButton::clicked);
    EnhancedListCtrl* commands = CommandList();
    commands->setFocus();
    QTest::keyClick(commands, Qt::Key_Insert);
    commands->clearSelection();
    commands->SelectRow(0);
    QTest::keyClick(commands, Qt::Key_Return);
    QTest::keyClick(commands, Qt::Key_Delete);
    EXPECT_EQ(opened, (QStringList{"tw::CCommandDlg:Add Command", "tw::CCommandDlg:Edit Command"}));
    EXPECT_EQ(deleteCommand.count(), 1);
    EXPECT_EQ(deleteResponse.count(), 0);

    opened.clear();
    EnhancedListCtrl* responses = ResponseList();
    responses->setFocus();
    responses->clearSelection();
    responses->SelectRow(0);
    QTest::keyClick(responses, Qt::Key_Enter);
    QTest::keyClick(responses, Qt::Key_Delete);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.front().startsWith("tw::CResponseDlg:")) << opened.front().toStdString();
    EXPECT_EQ(deleteResponse.count(), 1);
    EXPECT_EQ(deleteCommand.count(), 1);
}

TEST_F(KeyboardTest, ListKeysDoNothingWhileTheirButtonsAreDisabled) {
    QSignalSpy deleteResponse(Button(control_id::kDeleteResponse), &QPushButton::clicked);
    Button(control_id::kDeleteResponse)->setEnabled(false);
    ResponseList()->setFocus();
    QTest::keyClick(ResponseList(), Qt::Key_Delete);
    EXPECT_EQ(deleteResponse.count(), 0);
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
