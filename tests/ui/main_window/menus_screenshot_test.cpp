// The node menu and the Edit menu with named undo steps, grabbed to PNG files under
// <build>/screenshots for a look by eye.

#include <QDir>

#include "ui/main_window/commands_fixture.h"

namespace tw::test {
namespace {

QImage Grab(QMenu& menu, const QString& name) {
    menu.ensurePolished();
    menu.adjustSize();
    const QImage image = menu.grab().toImage();
    const QString dir = QString(TW_BINARY_DIR) + "/screenshots";
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(dir + "/" + name + ".png")) << name.toStdString();
    return image;
}

TEST_F(CommandsTest, ScreenshotsOfTheNodeMenuAndTheEditMenu) {
    Select("Shop [sells ale]");
    QMenu nodeMenu(window.get());
    window->FillNodeMenu(nodeMenu);
    const QImage node = Grab(nodeMenu, "node_menu");
    // Every caption fits: the menu is at least as wide as its widest item needs.
    EXPECT_GE(node.width(), nodeMenu.sizeHint().width());

    Select("Greeting");
    SelectRows(*window->CommandList(), {1});
    window->OnDeleteCommand();
    SelectRows(*window->CommandList(), {0});
    window->OnDeleteCommand();
    UndoItem()->trigger();
    EXPECT_EQ(UndoItem()->text(), "&Undo Delete Command");
    EXPECT_EQ(RedoItem()->text(), "&Redo Delete Command");
    const QImage edit = Grab(*window->EditMenu(), "edit_menu");
    EXPECT_GE(edit.width(), window->EditMenu()->sizeHint().width());
}

}  // namespace
}  // namespace tw::test
