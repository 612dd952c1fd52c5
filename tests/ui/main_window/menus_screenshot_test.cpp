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
    for (const char* name : {"rename", "clearNode", "deleteBranch", "makeRoot", "addNewNode",
                             "testFromNode", "linksToNode"}) {
        nodeMenu.addAction(Action(name));
    }
    const QImage node = Grab(nodeMenu, "node_menu");
    // Every caption fits: the menu is at least as wide as its widest item needs.
    EXPECT_GE(node.width(), nodeMenu.sizeHint().width());

    Select("Greeting");
    SelectRows(*CommandList(), {1});
    Press(control_id::kDeleteCommand);
    SelectRows(*CommandList(), {0});
    Press(control_id::kDeleteCommand);
    UndoItem()->trigger();
    EXPECT_EQ(UndoItem()->text(), "&Undo Delete Command");
    EXPECT_EQ(RedoItem()->text(), "&Redo Delete Command");
    const QImage edit = Grab(*EditMenu(), "edit_menu");
    EXPECT_GE(edit.width(), EditMenu()->sizeHint().width());
}

}  // namespace
}  // namespace tw::test
