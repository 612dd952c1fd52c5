#include "ui/dialogs/command_dlg.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialog_test_support.h"
#include "model/command_kinds.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/dialogs/list_dlg.h"
#include "ui/dialogs/yes_no_dlg.h"

namespace tw::test {
namespace {

const int kKindControls[] = {1018, 1126, 1020, 1023, 1024, 1031,
                             1032, 1033, 1034, 1028, 1035, 1041};

class CommandDlgTest : public DialogTest {
protected:
    CommandDlgTest() { names.nodes = {"Trade", "farewell", "Greeting"}; }

    std::unique_ptr<CCommandDlg> Make(const NodeCommand* command = nullptr) {
        auto dialog = std::make_unique<CCommandDlg>(services, command, names);
        dialog->SetDialogRunner(script.Runner());
        Open(*dialog);
        return dialog;
    }
    static std::vector<int> EnabledKindControls(const CCommandDlg& dialog) {
        std::vector<int> enabled;
        for (int id : kKindControls) {
            if (Enabled(dialog, id)) {
                enabled.push_back(id);
            }
        }
        return enabled;
    }
    std::string OkText(CCommandDlg& dialog) {
        OkSucceeds(dialog);
        std::unique_ptr<NodeCommand> command = dialog.TakeCommand();
        return command ? command->GetScriptText() : "<none>";
    }

    DialogueNames names;
};

TEST_F(CommandDlgTest, ANewCommandOpensOnTheManualEntry) {
    auto dialog = Make();
    EXPECT_EQ(dialog->windowTitle(), "Add Command");
    EXPECT_TRUE(Get<QRadioButton>(*dialog, 1017)->isChecked());
    EXPECT_EQ(EnabledKindControls(*dialog), std::vector<int>{1018});
    EXPECT_FALSE(Get<QCheckBox>(*dialog, 1015)->isChecked());
    EXPECT_FALSE(Enabled(*dialog, 1016));
    EXPECT_FALSE(Enabled(*dialog, 1025));
    QComboBox* box = Get<QComboBox>(*dialog, 1041);
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(0), "farewell");  // sorted without regard to case
    EXPECT_EQ(box->itemText(2), "Trade");
    EXPECT_EQ(box->currentText(), "");
    EXPECT_EQ(Get<QLineEdit>(*dialog, 1018)->maxLength(), 2047);
    EXPECT_EQ(Get<QLineEdit>(*dialog, 1016)->maxLength(), 511);
}

TEST_F(CommandDlgTest, EachRadioEnablesOnlyItsOwnControls) {
    auto dialog = Make();
    const std::pair<int, std::vector<int>> cases[] = {
        {1125, {1126}},
        {1019, {1020}},
        {1021, {1020}},
        {1022, {1023, 1024}},
        {1029, {1023, 1031, 1032, 1033, 1034}},
        {1027, {1028}},
        {1030, {1035}},
        {1026, {}},
        {1040, {1041}},
        {1017, {1018}},
    };
    for (const auto& [radio, enabled] : cases) {
        Click(*dialog, radio);
        EXPECT_EQ(EnabledKindControls(*dialog), enabled) << radio;
        int checked = 0;
        for (QRadioButton* each : dialog->findChildren<QRadioButton*>()) {
            checked += each->isChecked() ? 1 : 0;
        }
        EXPECT_EQ(checked, 1);
    }
    Click(*dialog, 1015);
    EXPECT_TRUE(Enabled(*dialog, 1016));
    EXPECT_TRUE(Enabled(*dialog, 1025));
}

TEST_F(CommandDlgTest, EveryKindRefusesItsMissingFields) {
    auto dialog = Make();
    OkFails(*dialog, "You must type in a command.");
    Click(*dialog, 1019);
    OkFails(*dialog, "You must type in a flag.");
    Click(*dialog, 1022);
    OkFails(*dialog, "You must type in a variable name.");
    Type(*dialog, 1023, "gold");
    OkFails(*dialog, "You must type in an assign expression.");
    Click(*dialog, 1029);
    Type(*dialog, 1023, "");
    OkFails(*dialog, "Please enter a variable name");
    Type(*dialog, 1023, "mood");
    Type(*dialog, 1033, "1");
    OkFails(*dialog, "Please enter expressions for both the TRUE and FALSE cases.");
    Type(*dialog, 1034, "2");
    OkFails(*dialog, "Please select a conditional expression.");
    Click(*dialog, 1040);
    OkFails(*dialog, "You must type in a goto-node.");
    Click(*dialog, 1027);
    OkFails(*dialog, "Please describe the branch query.");
    Click(*dialog, 1030);
    OkFails(*dialog, "Please describe the branch query.");
    // Everything typed so far is still there.
    EXPECT_EQ(Text(*dialog, 1023), "mood");
    EXPECT_EQ(Text(*dialog, 1034), "2");
}

TEST_F(CommandDlgTest, TheConditionIsCheckedBeforeTheKind) {
    auto dialog = Make();
    Click(*dialog, 1019);
    Click(*dialog, 1015);
    Type(*dialog, 1016, "   ");
    OkFails(*dialog, "Please enter a conditional expression.");
    Type(*dialog, 1016, " $gold >= 5 ");
    OkFails(*dialog, "You must type in a flag.");
    Type(*dialog, 1020, "kMetOrvane");
    EXPECT_EQ(OkText(*dialog), "if ($gold >= 5) then set kMetOrvane = TRUE");
}

TEST_F(CommandDlgTest, SimpleKindsBuildTheirCommands) {
    using Fill = std::function<void(CCommandDlg&)>;
    const std::vector<std::pair<Fill, std::string>> cases = {
        {[](CCommandDlg& d) {
             Click(d, 1019);
             Type(d, 1020, "kMetOrvane");
         },
         "set kMetOrvane = TRUE"},
        {[](CCommandDlg& d) {
             Click(d, 1021);
             Type(d, 1020, "kMetOrvane");
         },
         "set kMetOrvane = FALSE"},
        {[](CCommandDlg& d) {
             Click(d, 1022);
             Type(d, 1023, "gold");
             Type(d, 1024, "5");
         },
         "$gold = 5"},
        {[](CCommandDlg& d) { Click(d, 1125); }, "reply "},
        {[](CCommandDlg& d) { Click(d, 1026); }, "END CONVERSATION"},
        {[](CCommandDlg& d) {
             Click(d, 1040);
             Type(d, 1041, "Trade");
         },
         "goto Trade"},
        {[](CCommandDlg& d) { Type(d, 1018, "set a = TRUE"); }, "set a = TRUE"},
    };
    for (const auto& [fill, text] : cases) {
        auto dialog = Make();
        fill(*dialog);
        EXPECT_EQ(OkText(*dialog), text);
    }
}

TEST_F(CommandDlgTest, ChooseFillsTheConditionAndAHandEditWins) {
    auto dialog = Make();
    Click(*dialog, 1040);
    Type(*dialog, 1041, "Trade");
    Click(*dialog, 1015);
    script.Then([this](QDialog& opened) {
        auto& conditional = dynamic_cast<CConditionalDlg&>(opened);
        EXPECT_TRUE(Get<QRadioButton>(conditional, 1053)->isChecked());
        Type(conditional, 1045, "$gold");
        Get<QComboBox>(conditional, 1048)->setCurrentIndex(3);
        Type(conditional, 1067, "5");
        OkSucceeds(conditional);
    });
    Click(*dialog, 1025);
    EXPECT_EQ(Text(*dialog, 1016), "$gold >= 5");
    Type(*dialog, 1016, "$gold >= 10");
    EXPECT_EQ(OkText(*dialog), "if ($gold >= 10) then goto Trade");
}

TEST_F(CommandDlgTest, ChooseForTheAssignmentAndACancelledChoice) {
    auto dialog = Make();
    Click(*dialog, 1029);
    Type(*dialog, 1023, "mood");
    Type(*dialog, 1033, "1");
    Type(*dialog, 1034, "2");
    script.Then([this](QDialog& opened) {
        auto& conditional = dynamic_cast<CConditionalDlg&>(opened);
        Click(conditional, 1054);
        Type(conditional, 1055, "x > 1");
        OkSucceeds(conditional);
    });
    Click(*dialog, 1032);
    script.Then([](QDialog& opened) { opened.reject(); });
    Click(*dialog, 1032);
    EXPECT_EQ(OkText(*dialog), "$mood = if (x > 1) then (1) else (2)");
}

TEST_F(CommandDlgTest, DescribeBuildsTheBranchingCommands) {
    auto dialog = Make();
    Click(*dialog, 1027);
    script.Then([this](QDialog& opened) {
        auto& yesNo = dynamic_cast<CYesNoDlg&>(opened);
        Type(yesNo, 1058, "Trade");
        Type(yesNo, 1059, "farewell");
        OkSucceeds(yesNo);
    });
    Click(*dialog, 1028);
    // Describing again shows what was described; Cancel keeps it.
    script.Then([this](QDialog& opened) {
        auto& yesNo = dynamic_cast<CYesNoDlg&>(opened);
        EXPECT_EQ(Text(yesNo, 1058), "Trade");
        EXPECT_EQ(Text(yesNo, 1056), "Yes");
        Type(yesNo, 1056, "Changed");
        opened.reject();
    });
    Click(*dialog, 1028);
    EXPECT_EQ(OkText(*dialog), "branch \"Yes\"->Trade, \"No\"->farewell");

    dialog = Make();
    Click(*dialog, 1030);
    script.Then([this](QDialog& opened) {
        auto& list = dynamic_cast<ListDlg&>(opened);
        Type(list, 1117, "Bye");
        Type(list, 1079, "farewell");
        OkSucceeds(list);
    });
    Click(*dialog, 1035);
    EXPECT_EQ(OkText(*dialog), "list \"Bye\"->farewell");
}

TEST_F(CommandDlgTest, EditingAGotoWithAConditionShowsEverything) {
    CommandGoto command("Trade");
    command.SetCondition(std::make_unique<Conditional>("kMet"));
    auto dialog = Make(&command);
    EXPECT_EQ(dialog->windowTitle(), "Edit Command");
    EXPECT_TRUE(Get<QRadioButton>(*dialog, 1040)->isChecked());
    EXPECT_EQ(EnabledKindControls(*dialog), std::vector<int>{1041});
    EXPECT_EQ(Text(*dialog, 1041), "Trade");
    EXPECT_TRUE(Get<QCheckBox>(*dialog, 1015)->isChecked());
    EXPECT_TRUE(Enabled(*dialog, 1016));
    EXPECT_EQ(Text(*dialog, 1016), "kMet");
    // Unticking drops the condition.
    Click(*dialog, 1015);
    EXPECT_EQ(OkText(*dialog), "goto Trade");
}

TEST_F(CommandDlgTest, EnterIsOkAndEscapeCancel) {
    auto dialog = Make();
    Type(*dialog, 1018, "END CONVERSATION");
    QTest::keyClick(Get<QLineEdit>(*dialog, 1018), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    dialog = Make();
    QTest::keyClick(Get<QLineEdit>(*dialog, 1018), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(CommandDlgTest, ScriptFieldsTellTheLanguagesMessageAsTheWriterTypes) {
    auto dialog = Make();
    QLineEdit* manual = Get<QLineEdit>(*dialog, 1018);
    EXPECT_EQ(manual->accessibleDescription(), "");
    QTest::keyClicks(manual, "set $x = 5");
    EXPECT_EQ(manual->accessibleDescription(),
              QString::fromUtf8("\u2716 Result of 'set' must be a boolean value"));
    manual->clear();
    QTest::keyClicks(manual, "set kX = TRUE");
    EXPECT_EQ(manual->accessibleDescription(), QString::fromUtf8("\u2714 valid script"));
    Click(*dialog, 1022);
    Type(*dialog, 1023, "x");
    Type(*dialog, 1024, "true + 1");
    EXPECT_EQ(Get<QLineEdit>(*dialog, 1024)->accessibleDescription(),
              QString::fromUtf8(
                  "\u2716 Binary operator '+' can not be applied to different operand types"));
    // A faulty text never stops OK: the compile reports it.
    EXPECT_EQ(OkText(*dialog), "$x = true + 1");
}

TEST_F(CommandDlgTest, NameFieldsCompleteFromTheDialoguesNames) {
    names.variables = {"$gold", "$mood"};
    names.flags = {"kMetOrvane"};
    auto dialog = Make();
    QCompleter* variables = Get<QLineEdit>(*dialog, 1023)->completer();
    ASSERT_NE(variables, nullptr);
    variables->setCompletionPrefix("GOL");
    EXPECT_EQ(variables->currentCompletion(), "$gold");
    QCompleter* flags = Get<QLineEdit>(*dialog, 1020)->completer();
    ASSERT_NE(flags, nullptr);
    flags->setCompletionPrefix("met");
    EXPECT_EQ(flags->currentCompletion(), "kMetOrvane");
    QCompleter* nodes = Get<QComboBox>(*dialog, 1041)->completer();
    nodes->setCompletionPrefix("gree");
    EXPECT_EQ(nodes->currentCompletion(), "Greeting");
}

// The click that closes the list of offered names also presses OK: one click accepts.
TEST_F(CommandDlgTest, OneClickOnOkWhileNamesAreOfferedAccepts) {
    names.flags = {"kMetOrvane"};
    for (const auto& [radio, field, typed] :
         {std::tuple{1019, 1020, "Met"}, std::tuple{1040, 1041, "gree"}}) {
        auto dialog = Make();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        MouseClick(Get<QRadioButton>(*dialog, radio));
        QLineEdit* edit = field == 1041 ? Get<QComboBox>(*dialog, field)->lineEdit()
                                        : Get<QLineEdit>(*dialog, field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, typed);
        ASSERT_TRUE(edit->completer()->popup()->isVisible()) << field;
        auto* ok = Get<QPushButton>(*dialog, 1);
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {},
                          ok->mapTo(dialog.get(), ok->rect().center()));
        EXPECT_FALSE(edit->completer()->popup()->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << field;
        EXPECT_NE(dialog->TakeCommand(), nullptr);
    }
}

// Escape while names are offered closes the list alone; the next Escape is the dialog's.
TEST_F(CommandDlgTest, EscapeClosesTheOfferedNamesBeforeTheDialog) {
    names.flags = {"kMetOrvane"};
    auto dialog = Make();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    MouseClick(Get<QRadioButton>(*dialog, 1019));
    QLineEdit* edit = Get<QLineEdit>(*dialog, 1020);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "Met");
    QWidget* popup = edit->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(CommandDlgTest, TextsCrossAsWindows1252) {
    auto dialog = Make();
    Click(*dialog, 1019);
    Type(*dialog, 1020, QString::fromUtf8("k\u00c9t\u00e9"));
    OkSucceeds(*dialog);
    const auto command = dialog->TakeCommand();
    EXPECT_EQ(dynamic_cast<const CommandFlag&>(*command).GetFlag(), "k\xc9t\xe9");
}

// Every field, box and button can be named by a screen reader: its label, caption or role.
TEST_F(CommandDlgTest, ControlsHaveAccessibleNames) {
    auto dialog = Make();
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        const bool comboEdit = qobject_cast<QComboBox*>(child->parentWidget()) != nullptr;
        if (qobject_cast<QAbstractButton*>(child) != nullptr) {
            const auto* button = qobject_cast<QAbstractButton*>(child);
            EXPECT_FALSE(button->text().isEmpty() && button->accessibleName().isEmpty());
        } else if ((qobject_cast<QLineEdit*>(child) && !comboEdit) ||
                   qobject_cast<QComboBox*>(child)) {
            EXPECT_FALSE(child->accessibleName().isEmpty()) << child->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace tw::test
