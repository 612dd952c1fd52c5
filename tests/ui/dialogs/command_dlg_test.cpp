#include "ui/dialogs/command_dlg.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QPushButton>

#include "dialog_test_support.h"

namespace tw::test {
namespace {

class CommandDlgTest : public DialogTest {
protected:
    CommandDlgTest() {
        names.nodes = {"Trade", "farewell", "Greeting"};
        names.variables = {"$gold", "$mood"};
        names.flags = {"kMetOrvane"};
    }
    std::unique_ptr<CCommandDlg> Make(const NodeCommand* command = nullptr) {
        auto dialog = std::make_unique<CCommandDlg>(services, command, names);
        dialog->SetDialogRunner(Runner());
        Open(*dialog);
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    DialogueNames names;
};

// Names of the dialogue are offered while typing; the click that closes the offer also
// presses OK, and Escape closes the offer alone before it closes the dialog.
TEST_F(CommandDlgTest, OfferedNamesGiveWayToOkAndEscape) {
    for (const auto& [radio, field, typed, offered] :
         {std::tuple{1019, 1020, "Met", "kMetOrvane"},
          std::tuple{1040, 1041, "gree", "Greeting"}}) {
        auto dialog = Make();
        Click(*dialog, radio);
        QLineEdit* edit = EditOf(*dialog, field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, typed);
        ASSERT_TRUE(edit->completer()->popup()->isVisible()) << field;
        EXPECT_EQ(edit->completer()->currentCompletion(), offered);
        auto* ok = Get<QPushButton>(*dialog, 1);
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {},
                          ok->mapTo(dialog.get(), ok->rect().center()));
        EXPECT_FALSE(edit->completer()->popup()->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << field;
    }
    auto dialog = Make();
    Click(*dialog, 1022);
    QLineEdit* edit = Get<QLineEdit>(*dialog, 1023);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "GOL");
    QWidget* popup = edit->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(edit->completer()->currentCompletion(), "$gold");
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
}  // namespace tw::test
