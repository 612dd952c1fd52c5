// The main window's editing buttons, driven through the real dialogs.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/command_kinds.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/command_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/list_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/dialogs/yes_no_dlg.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/views/control_ids.h"

namespace tw::test {
namespace {

class EditCommandsTest : public MainWindowTest {
public:
    using Step = std::function<void(QDialog&)>;

    void SetUp() override {
        MainWindowTest::SetUp();
        window->SetDialogRunner([this](QDialog& dialog) { return RunQueuedStep(steps, dialog); });
        Dialogue& document = Current();
        document.AppendNode(document.Root(), 1, "Greeting");
        document.AppendNode(document.Root(), 2, "Farewell");
        document.SetNextNodeId(3);
        Refresh();
        Select("Greeting");
    }
    void TearDown() override {
        EXPECT_TRUE(steps.empty());
        MainWindowTest::TearDown();
    }

    template <typename T>
    static T* Get(const CEditingDialog& dialog, int id) {
        T* control = dialog.Control<T>(id);
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    static void Type(const CEditingDialog& dialog, int id, const QString& text) {
        if (auto* box = dialog.Control<QComboBox>(id)) {
            box->setEditText(text);
        } else {
            Get<QLineEdit>(dialog, id)->setText(text);
        }
    }
    static void Click(const CEditingDialog& dialog, int id) {
        Get<QAbstractButton>(dialog, id)->click();
    }
    void Press(int id) { Button(id)->click(); }

    std::deque<Step> steps;
};

using Fill = std::function<void(CCommandDlg&, std::deque<EditCommandsTest::Step>&)>;

// One command of every kind, as a writer enters it.
std::vector<Fill> EveryKind() {
    return {
        [](CCommandDlg& d, auto&) { EditCommandsTest::Type(d, 1018, "set kSeen = TRUE"); },
        [](CCommandDlg& d, auto&) {
            EditCommandsTest::Click(d, 1019);
            EditCommandsTest::Type(d, 1020, "kMetOrvane");
        },
        [](CCommandDlg& d, auto&) {
            EditCommandsTest::Click(d, 1021);
            EditCommandsTest::Type(d, 1020, "kAngry");
        },
        [](CCommandDlg& d, auto&) {
            EditCommandsTest::Click(d, 1022);
            EditCommandsTest::Type(d, 1023, "$gold");
            EditCommandsTest::Type(d, 1024, "$gold + 5");
        },
        [](CCommandDlg& d, auto&) {
            EditCommandsTest::Click(d, 1029);
            EditCommandsTest::Type(d, 1023, "$mood");
            EditCommandsTest::Type(d, 1031, "$gold > 1");
            EditCommandsTest::Type(d, 1033, "1");
            EditCommandsTest::Type(d, 1034, "2");
        },
        [](CCommandDlg& d, auto& steps) {
            EditCommandsTest::Click(d, 1027);
            steps.push_back([](QDialog& opened) {
                auto& yesNo = dynamic_cast<CYesNoDlg&>(opened);
                EditCommandsTest::Type(yesNo, 1057, "Never");
                EditCommandsTest::Type(yesNo, 1058, "Greeting");
                EditCommandsTest::Type(yesNo, 1059, "Farewell");
                EditCommandsTest::Click(yesNo, 1);
            });
            EditCommandsTest::Click(d, 1028);
        },
        [](CCommandDlg& d, auto& steps) {
            EditCommandsTest::Click(d, 1030);
            steps.push_back([](QDialog& opened) {
                auto& list = dynamic_cast<ListDlg&>(opened);
                EditCommandsTest::Type(list, 1056, "Trade");
                EditCommandsTest::Type(list, 1058, "Greeting");
                EditCommandsTest::Type(list, 1131, "kMetOrvane");
                EditCommandsTest::Type(list, 1142, "Last");
                EditCommandsTest::Type(list, 1077, "Farewell");
                EditCommandsTest::Type(list, 1117, "Bye");
                EditCommandsTest::Type(list, 1079, "Farewell");
                EditCommandsTest::Click(list, 1);
            });
            EditCommandsTest::Click(d, 1035);
        },
        [](CCommandDlg& d, auto&) { EditCommandsTest::Click(d, 1026); },
        [](CCommandDlg& d, auto&) {
            EditCommandsTest::Click(d, 1040);
            EditCommandsTest::Type(d, 1041, "Farewell");
            EditCommandsTest::Click(d, 1015);
            EditCommandsTest::Type(d, 1016, "kAngry");
        },
        [](CCommandDlg& d, auto&) {
            EditCommandsTest::Click(d, 1125);
            EditCommandsTest::Type(d, 1126, "$answer");
        },
    };
}

TEST_F(EditCommandsTest, EveryKindSurvivesAddSaveLoadAndEdit) {
    std::vector<CommandFields> entered;
    for (const Fill& fill : EveryKind()) {
        steps.push_back([this, &fill, &entered](QDialog& opened) {
            auto& dialog = dynamic_cast<CCommandDlg&>(opened);
            EXPECT_EQ(dialog.windowTitle(), "Add Command");
            fill(dialog, steps);
            entered.push_back(dialog.Fields());
            Click(dialog, 1);
        });
        Current().SetModified(false);
        Press(control_id::kAddCommand);
        EXPECT_TRUE(Current().IsModified());
    }
    ASSERT_EQ(CommandList()->RowCount(), 10);
    EXPECT_EQ(CommandList()->ItemText(8, 1), "goto Farewell");

    TempDir dir("edit_commands");
    services.QueueFileChoice(dir.File("round.vrx"));
    window->OnSave();
    window->OnCloseDialogue();
    ASSERT_TRUE(window->OpenDialogueFile(dir.File("round.vrx")));
    Select("Greeting");
    ASSERT_EQ(CommandList()->RowCount(), 10);
    for (int row = 0; row < 10; ++row) {
        CommandList()->clearSelection();
        CommandList()->SelectRow(row);
        steps.push_back([&entered, row](QDialog& opened) {
            auto& dialog = dynamic_cast<CCommandDlg&>(opened);
            EXPECT_EQ(dialog.windowTitle(), "Edit Command");
            EXPECT_EQ(dialog.Fields(), entered[static_cast<std::size_t>(row)]) << row;
            opened.reject();
        });
        Press(control_id::kEditCommand);
    }
    EXPECT_FALSE(Current().IsModified());
}

TEST_F(EditCommandsTest, EditCommandReplacesTheRowAndTheCommand) {
    Node("Greeting").AppendCommand(std::make_unique<CommandEnd>());
    Node("Greeting").AppendCommand(std::make_unique<CommandGoto>("Farewell"));
    Select("Farewell");
    Select("Greeting");
    services.QueueAnswer(MessageAnswer::kOk);
    Press(control_id::kEditCommand);
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text, "Please select exactly one item in the list.");
    CommandList()->selectAll();
    services.QueueAnswer(MessageAnswer::kOk);
    Press(control_id::kEditCommand);
    EXPECT_EQ(services.Messages().size(), 2u);

    CommandList()->clearSelection();
    CommandList()->SelectRow(1);
    steps.push_back([](QDialog& opened) {
        auto& dialog = dynamic_cast<CCommandDlg&>(opened);
        Type(dialog, 1041, "Greeting");
        Click(dialog, 1);
    });
    Press(control_id::kEditCommand);
    EXPECT_TRUE(Current().IsModified());
    EXPECT_EQ(Node("Greeting").Commands()[1]->GetText(), "goto Greeting");
    EXPECT_EQ(CommandList()->ItemText(1, 1), "goto Greeting");
    EXPECT_EQ(CommandList()->RowCount(), 2);
}

TEST_F(EditCommandsTest, ResponsesAreAddedAndEditedInPlace) {
    steps.push_back([](QDialog& opened) {
        auto& dialog = dynamic_cast<CResponseDlg&>(opened);
        EXPECT_EQ(dialog.windowTitle(), "Create Response");
        Click(dialog, 1038);
        EXPECT_EQ(dialog.Control<QLineEdit>(1037)->text(), "A01");
        Type(dialog, 1036, "Goodbye");
        Type(dialog, 1040, "Farewell");
        Click(dialog, 1);
    });
    Press(control_id::kAddResponse);
    ASSERT_EQ(Node("Greeting").Responses().size(), 1u);
    EXPECT_TRUE(Current().IsModified());
    EXPECT_EQ(ResponseList()->ItemText(0, 0), "A01");
    EXPECT_EQ(ResponseList()->ItemText(0, 2), "Goodbye");

    ResponseList()->SelectRow(0);
    Current().SetModified(false);
    steps.push_back([](QDialog& opened) {
        auto& dialog = dynamic_cast<CResponseDlg&>(opened);
        EXPECT_EQ(dialog.windowTitle(), "Edit Response");
        EXPECT_FALSE(dialog.Control<QRadioButton>(1035)->isEnabled());
        EXPECT_TRUE(dialog.Control<QLineEdit>(1037)->isReadOnly());
        Type(dialog, 1036, "Farewell, friend");
        Click(dialog, 1);
    });
    Press(control_id::kEditResponse);
    const auto& add = dynamic_cast<const NodeResponseAdd&>(*Node("Greeting").Responses()[0]);
    EXPECT_EQ(add.GetPlayerText(), "Farewell, friend");
    EXPECT_EQ(ResponseList()->ItemText(0, 2), "Farewell, friend");
    EXPECT_TRUE(Current().IsModified());
    // Cancel changes nothing.
    steps.push_back([](QDialog& opened) {
        Type(dynamic_cast<CResponseDlg&>(opened), 1036, "Never mind");
        opened.reject();
    });
    Press(control_id::kEditResponse);
    EXPECT_EQ(add.GetPlayerText(), "Farewell, friend");
}

TEST_F(EditCommandsTest, NpcPropertiesAndCommentsAndAbout) {
    steps.push_back([](QDialog& opened) {
        auto& dialog = dynamic_cast<CNPCDlg&>(opened);
        Type(dialog, 1065, "Orla the Miller");
        Type(dialog, 1064, "17");
        Click(dialog, 1);
    });
    Press(control_id::kEditNpcProperties);
    EXPECT_EQ(Current().Npc().name, "Orla the Miller");
    EXPECT_EQ(Current().Npc().id, 17);
    EXPECT_EQ(Tabs()->tabText(0), "Orla the Miller *");
    EXPECT_EQ(NpcName()->text(), "Orla the Miller");
    EXPECT_TRUE(Current().IsModified());

    Current().SetModified(false);
    steps.push_back([](QDialog& opened) {
        auto& dialog = dynamic_cast<CCommentsDlg&>(opened);
        EXPECT_EQ(dialog.windowTitle(), "Edit NPC Comments");
        dialog.Editor()->SetStyledText(
            "Shy \x02"
            "Bshy");
        dialog.accept();
    });
    Press(control_id::kEditNpcComments);
    EXPECT_EQ(Current().GetComments(),
              "Shy \x02"
              "Bshy");
    EXPECT_TRUE(Current().IsModified());

    steps.push_back([](QDialog& opened) {
        EXPECT_NE(dynamic_cast<CAboutDlg*>(&opened), nullptr);
        EXPECT_EQ(opened.windowTitle(), "About Vorunda Dialogue Editor");
        opened.accept();
    });
    Trigger("about");
}

TEST_F(EditCommandsTest, NewAsksForTheNpcData) {
    steps.push_back([](QDialog& opened) {
        auto& dialog = dynamic_cast<CNPCDlg&>(opened);
        EXPECT_EQ(dialog.windowTitle(), "NPC Data");
        Type(dialog, 1065, "Hedda");
        Click(dialog, 1);
    });
    window->OnNewDialogue();
    EXPECT_EQ(Current().Npc().name, "Hedda");
    EXPECT_EQ(Tabs()->tabText(Tabs()->currentIndex()), "Hedda");
}

}  // namespace
}  // namespace tw::test
