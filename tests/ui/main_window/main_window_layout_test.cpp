// How the main window's controls follow its size, and the size kept between runs.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <array>

#include "support/screenshots.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

QRect Place(QWidget* control, QWidget* window) {
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// Growing the window by 200 by 100 pixels: how far each control moves and grows.
TEST_F(MainWindowTest, ResizingGrowsTextAndTreeAndMovesTheListsRight) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    const std::pair<QWidget*, std::array<int, 4>> controls[] = {
        {Tree(), {0, 0, 200, 0}},
        {NodeText(), {0, 0, 200, 100}},
        {Comments(), {0, 100, 200, 0}},
        {NpcName(), {0, 0, 200, 0}},
        {Button(control_id::kExpandCollapseAll), {200, 0, 0, 0}},
        {Button(control_id::kEditNpcProperties), {200, 0, 0, 0}},
        {CommandList(), {200, 0, 0, 50}},
        {Button(control_id::kAddCommand), {200, 50, 0, 0}},
        {ResponseList(), {200, 50, 0, 50}},
        {Button(control_id::kDeleteResponse), {200, 100, 0, 0}},
    };
    std::vector<QRect> before;
    for (const auto& [control, change] : controls) {
        before.push_back(Place(control, window.get()));
    }
    window->resize(window->size() + QSize(200, 100));
    QApplication::processEvents();
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        const QRect after = Place(controls[i].first, window.get());
        const std::array<int, 4> change{after.x() - before[i].x(), after.y() - before[i].y(),
                                        after.width() - before[i].width(),
                                        after.height() - before[i].height()};
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_NEAR(change[k], controls[i].second[k], 1)
                << controls[i].first->objectName().toStdString() << " " << k;
        }
    }
}

// Tab walks the controls in reading order: the top row, the node column, then the lists
// each with its buttons.
TEST_F(MainWindowTest, TabFollowsTheReadingOrderAndStartsInTheTree) {
    EXPECT_EQ(window->focusWidget(), Tree());
    std::vector<QWidget*> expected{Tabs(), NpcName()};
    for (int id : {1117, 1115, 1095, 1063, 1002}) {
        expected.push_back(Button(id));
    }
    expected.insert(expected.end(), {Tree(), NodeText(), Comments(), CommandList()});
    for (int id : {1008, 1009, 1010}) {
        expected.push_back(Button(id));
    }
    expected.push_back(ResponseList());
    for (int id : {1011, 1012, 1013}) {
        expected.push_back(Button(id));
    }
    expected.push_back(Problems()->List());
    std::vector<QWidget*> chain;
    for (QWidget* widget = window->nextInFocusChain(); widget != window.get();
         widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isVisible()) {
            chain.push_back(widget);
        }
    }
    EXPECT_EQ(chain, expected);
}

// At its smallest and at a common size, every button, label and column title has the room
// its text needs. The window is grabbed to <build>/screenshots for a look by eye.
TEST_F(MainWindowTest, NothingIsCutOffAtAnySize) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    Select("Welcome [first meeting]");
    for (QSize size : {QSize(1100, 720), window->minimumSize()}) {
        window->resize(size);
        QApplication::processEvents();
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->isVisibleTo(window.get())) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
        }
        for (EnhancedListCtrl* list : window->findChildren<EnhancedListCtrl*>()) {
            for (int column = 0; column < list->columnCount(); ++column) {
                const QString title = list->headerItem()->text(column);
                EXPECT_GT(list->columnWidth(column), list->fontMetrics().horizontalAdvance(title))
                    << title.toStdString();
            }
        }
    }
    SaveShot(*window, "main_window_smallest");
}

// Drags the handle before the splitter's pane `index`. The handle follows the pointer, so
// the points are in its place before the move.
void DragHandle(QSplitter& splitter, int index, QPoint by) {
    QSplitterHandle* handle = splitter.handle(index);
    const QPoint start = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, start);
    QTest::mouseMove(handle, start + by);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, start);
}

// The lists and the Problems pane get the room the writer gives them, the last column of a
// list taking it; the size of the window and of its panes is kept for the next run, the
// window's under its template id.
TEST(MainWindowSizeTest, TheWriterGivesTheListsRoomAndItIsKept) {
    ScriptedPlatformServices services;
    QList<int> halves;
    QList<int> panes;
    QSize creation;
    {
        CTalkwrightDlg window(services);
        creation = window.minimumSize();
        window.show();
        window.resize(creation + QSize(234, 117));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        auto* split = window.findChild<QSplitter*>("halvesSplitter");
        auto* below = window.findChild<QSplitter*>("panesSplitter");
        ASSERT_TRUE(split && below);
        EnhancedListCtrl& responses = *window.findChild<EnhancedListCtrl*>("responses");
        const int listWidth = responses.width();
        const int lastColumn = responses.columnWidth(4);
        const int otherColumn = responses.columnWidth(2);
        DragHandle(*split, 1, QPoint(-150, 0));
        EXPECT_NEAR(responses.width(), listWidth + 150, 2);
        EXPECT_NEAR(responses.columnWidth(4), lastColumn + 150, 2);
        EXPECT_EQ(responses.columnWidth(2), otherColumn);
        const int problemsHeight = window.findChild<QTableView*>("problemsList")->height();
        DragHandle(*below, 1, QPoint(0, -60));
        EXPECT_NEAR(window.findChild<QTableView*>("problemsList")->height(), problemsHeight + 60,
                    2);
        halves = split->sizes();
        panes = below->sizes();
        EXPECT_TRUE(window.OnQuit());
    }
    EXPECT_EQ(services.GetProfileInt("66", "CX", 0), creation.width() + 234);
    EXPECT_EQ(services.GetProfileInt("66", "CY", 0), creation.height() + 117);
    EXPECT_EQ(services.GetProfileInt("66", "ST", 0), 1);
    CTalkwrightDlg again(services);
    EXPECT_EQ(again.size(), creation + QSize(234, 117));
    EXPECT_EQ(again.minimumSize(), creation);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.findChild<QSplitter*>("halvesSplitter")->sizes(), halves);
    EXPECT_EQ(again.findChild<QSplitter*>("panesSplitter")->sizes(), panes);
}

}  // namespace
}  // namespace tw::test
