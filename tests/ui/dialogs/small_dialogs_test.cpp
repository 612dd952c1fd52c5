// The response, comments and About dialogs through their widgets.

#include <QApplication>
#include <QLabel>
#include <QRadioButton>

#include "dialog_test_support.h"
#include "model/dialogue.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/dialogs/response_dlg.h"

namespace tw::test {
namespace {

class ResponseDlgTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greeting");
        auto add = std::make_unique<NodeResponseAdd>("A01");
        add->SetPlayerText("Tell me about the mill");
        add->SetGotoNode("Greeting");
        existing = &greet.AppendResponse(std::move(add));
        context.dialogue = &dialogue;
        dialogue.CollectResponseTags(context.tags);
        context.nodeNames = {"Greeting"};
    }
    Dialogue dialogue;
    ResponseContext context;
    NodeResponse* existing = nullptr;
};

// Fields that take no typing have the window's colour behind them, also after the
// desktop's palette changes; one that takes typing again looks editable again.
TEST_F(ResponseDlgTest, ReadOnlyFieldsLookReadOnly) {
    CResponseDlg dialog(services, nullptr, context);
    Open(dialog);
    const auto looksReadOnly = [&dialog](int id) {
        const QPalette colours = Get<QLineEdit>(dialog, id)->palette();
        return colours.color(QPalette::Base) == colours.color(QPalette::Window);
    };
    EXPECT_TRUE(looksReadOnly(1061));  // the condition is only chosen
    EXPECT_FALSE(looksReadOnly(1036));
    Click(dialog, 1035);
    EXPECT_TRUE(looksReadOnly(1036));
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    QApplication::processEvents();  // the new palette reaches the windows through the loop
    EXPECT_TRUE(looksReadOnly(1036));
    Click(dialog, 1034);
    EXPECT_EQ(Get<QLineEdit>(dialog, 1036)->palette().color(QPalette::Base), QColor(30, 30, 30));
    QApplication::setPalette(saved);
}

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
