// The comments and About dialogs through their widgets.

#include <QLabel>

#include "dialog_test_support.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/comments_dlg.h"

namespace tw::test {
namespace {

// The About box shows the icon installed for the program, and is wide enough for its
// title beside a title bar's icon and buttons.
TEST_F(DialogTest, AboutShowsTheProgramIconAndItsWholeTitle) {
    CAboutDlg about;
    about.show();
    const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
    const QImage installed = QImage(TW_SOURCE_DIR "/data/icons/48x48/org.talkwright.Talkwright.png")
                                 .convertToFormat(premultiplied);
    ASSERT_FALSE(installed.isNull());
    int icons = 0;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (label->accessibleName() == "Program icon") {
            EXPECT_TRUE(label->pixmap().toImage().convertToFormat(premultiplied) == installed);
            ++icons;
        }
    }
    EXPECT_EQ(icons, 1);
    QFont bold = about.font();
    bold.setBold(true);
    EXPECT_GE(about.width(), QFontMetrics(bold).horizontalAdvance(about.windowTitle()) + 100);
}

TEST_F(DialogTest, CommentsStylesFollowTheSelection) {
    CCommentsDlg dialog(services,
                        "plain \x02"
                        "Bbold\x03"
                        "B \x04\xff\x01\x01red");
    dialog.show();
    CStyleEditCtrl* editor = dialog.Editor();
    EXPECT_EQ(dialog.ColorList()->currentText(), "Black");
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(7);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    EXPECT_TRUE(dialog.StyleButton(1074)->isChecked());
    cursor.setPosition(12);
    cursor.setPosition(14, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    EXPECT_FALSE(dialog.StyleButton(1074)->isChecked());
    EXPECT_EQ(dialog.ColorList()->currentText(), "Red");
    QTest::mouseClick(dialog.StyleButton(1075), Qt::LeftButton);
    EXPECT_TRUE(editor->IsItalic());
    dialog.accept();
    EXPECT_EQ(dialog.GetComments(),
              "plain \x02"
              "Bbold\x03"
              "B \x04\xff\x01\x01r\x02"
              "Ied");
}

}  // namespace
}  // namespace tw::test
