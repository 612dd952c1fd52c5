// The main window on a sample dialogue, grabbed to PNG files under <build>/screenshots for a
// look by eye; the test checks that each picture has content and that nothing is cut off.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

void Save(QWidget& widget, const QString& name) {
    const QString dir = QString(TW_BINARY_DIR) + "/screenshots";
    QDir().mkpath(dir);
    const QImage image = widget.grab().toImage();
    EXPECT_TRUE(image.save(dir + "/" + name + ".png")) << name.toStdString();
}

// Every button and label is at least as wide as its text needs.
void ExpectNothingClipped(QWidget& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window))
            continue;  // a hidden bar is laid out only when shown
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    for (EnhancedListCtrl* list : window.findChildren<EnhancedListCtrl*>()) {
        for (int column = 0; column < list->columnCount(); ++column) {
            const QString title = list->headerItem()->text(column);
            EXPECT_GT(list->columnWidth(column), list->fontMetrics().horizontalAdvance(title))
                << title.toStdString();
        }
    }
}

TEST_F(MainWindowTest, ScreenshotsOnTheInnkeeper) {
    QApplication::processEvents();
    Save(*window, "main_window_untitled");
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    Tabs()->setCurrentIndex(0);
    Tree()->expandAll();
    Select("Welcome [first meeting]");
    window->resize(1100, 720);
    QApplication::processEvents();
    ExpectNothingClipped(*window);
    Save(*window, "main_window");

    Select("Initialization Node");
    Save(*window, "main_window_initialization_node");
    Select("Room [renting a room]");
    Save(*window, "main_window_cut_response");
    Tabs()->setCurrentIndex(1);
    Tree()->expandAll();
    Select("Repair [sword repair]");
    Save(*window, "main_window_blacksmith");
    Tabs()->setCurrentIndex(0);

    window->resize(window->minimumSize());
    QApplication::processEvents();
    ExpectNothingClipped(*window);
    Select("RoomTaken");
    Save(*window, "main_window_smallest");
}

}  // namespace
}  // namespace tw::test
