// Every window as a screen reader sees it: each control that takes the keyboard focus has
// a name to be read by, and the main window's tree and lists report their rows.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <memory>

#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "script/environment.h"
#include "support/app_test_support.h"
#include "support/qt_printers.h"
#include "support/scripted_platform_services.h"
#include "support/window_controls.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/command_dlg.h"
#include "ui/dialogs/comments_dlg.h"
#include "ui/dialogs/compile_dlg.h"
#include "ui/dialogs/conditional_dlg.h"
#include "ui/dialogs/create_node.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/dialogs/list_dlg.h"
#include "ui/dialogs/npc_dlg.h"
#include "ui/dialogs/response_dlg.h"
#include "ui/dialogs/yes_no_dlg.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/tester/party_dlg.h"
#include "ui/tester/state_dlg.h"
#include "ui/tester/test_dlg.h"

namespace tw::test {
namespace {

// The parts of a composite control (a combo box's line edit and drop-down list, a spin
// box's line edit) are read through the control itself.
bool IsPartOfAnotherControl(const QWidget& widget) {
    for (const QWidget* up = widget.parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (qobject_cast<const QComboBox*>(up) != nullptr ||
            qobject_cast<const QAbstractSpinBox*>(up) != nullptr) {
            return true;
        }
    }
    return false;
}

// Every control of the window that can take the focus, shown now or only in another mode
// of the window, and has no accessible name.
QStringList UnnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || IsPartOfAnotherControl(*widget)) {
            continue;
        }
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
        if (node == nullptr || node->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed << QString("%1 \"%2\" (%3)")
                           .arg(widget->metaObject()->className(), widget->objectName(),
                                widget->window()->windowTitle());
        }
    }
    return unnamed;
}

QString NameOf(QWidget* widget) {
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
    return node == nullptr ? QString() : node->text(QAccessible::Name);
}

int ReportedRows(QWidget* view) {
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(view);
    return node != nullptr && node->tableInterface() != nullptr ? node->tableInterface()->rowCount()
                                                                : -1;
}

class AccessibilityTest : public testing::Test {
protected:
    void SetUp() override {
        services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
        ASSERT_FALSE(dialogue.Load(SamplePath("innkeeper.vrx")).has_value());
        names.nodes = {"Welcome", "Room", "Farewell"};
        context.dialogue = &dialogue;
        context.nodeNames = names.nodes;
    }

    void ExpectAllNamed(QWidget& window) {
        EXPECT_EQ(UnnamedControls(window), QStringList()) << window.windowTitle().toStdString();
    }

    ScriptedPlatformServices services;
    Dialogue dialogue;
    DialogueNames names;
    ResponseContext context;
    PartySettings party;
    RandomSource random{1};
};

TEST_F(AccessibilityTest, TheMainWindowNamesItsControlsAndReportsItsRows) {
    CTalkwrightDlg window(services);
    window.SetDialogRunner([](QDialog&) { return int{QDialog::Rejected}; });
    ASSERT_TRUE(window.OpenDialogueFile(SamplePath("innkeeper.vrx")));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    test::CurrentTree(window)->expandAll();
    test::CurrentTree(window)->setCurrentItem(
        test::CurrentTree(window)->findItems("Welcome [first meeting]", Qt::MatchExactly)[0]);
    ASSERT_GT(test::CommandList(window)->RowCount(), 0);
    ASSERT_GT(test::ResponseList(window)->RowCount(), 0);

    QApplication::processEvents();  // the views lay out their rows

    ExpectAllNamed(window);
    EXPECT_EQ(NameOf(test::CurrentTree(window)), "Nodes");
    EXPECT_EQ(NameOf(test::NodeTextBox(window)), "Node text");
    EXPECT_EQ(NameOf(test::CommandList(window)), "Commands");
    EXPECT_EQ(NameOf(test::ResponseList(window)), "Responses");
    EXPECT_EQ(NameOf(window.findChild<QPushButton*>("button1095")), "Test Dialogue");

    int items = 0;
    for (QTreeWidgetItemIterator it(test::CurrentTree(window)); *it != nullptr; ++it) {
        ++items;
    }
    EXPECT_EQ(ReportedRows(test::CurrentTree(window)), items);
    EXPECT_EQ(ReportedRows(test::CommandList(window)), test::CommandList(window)->RowCount());
    EXPECT_EQ(ReportedRows(test::ResponseList(window)), test::ResponseList(window)->RowCount());
    for (std::size_t i = 0; i < window.Documents().Count(); ++i) {
        window.Documents().At(i).GetDialogue().SetModified(false);
    }
}

TEST_F(AccessibilityTest, EveryEditingDialogAndTesterWindowNamesItsControls) {
    CommandGoto jump("Farewell");
    NPCData npc{12, "Brannoc", kMale};
    Environment environment;
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<CCommandDlg>(services, nullptr, names));
    windows.push_back(std::make_unique<CCommandDlg>(services, &jump, names));
    windows.push_back(std::make_unique<CConditionalDlg>(services, std::string("$gold > 5")));
    windows.push_back(std::make_unique<CYesNoDlg>(services, std::nullopt, names.nodes));
    windows.push_back(std::make_unique<ListDlg>(services, std::nullopt, names.nodes));
    windows.push_back(std::make_unique<CResponseDlg>(services, nullptr, context));
    windows.push_back(
        std::make_unique<CCreateNode>(services, "Greeting", "", names.nodes, "Create Node"));
    windows.push_back(std::make_unique<CNPCDlg>(services, npc));
    windows.push_back(std::make_unique<CCommentsDlg>(services, DefaultNpcComments()));
    windows.push_back(std::make_unique<CAboutDlg>());
    windows.push_back(std::make_unique<CCompileDlg>(dialogue));
    windows.push_back(std::make_unique<CErrorDlg>(
        std::vector<std::string>{"NODE Greet: Syntax Error: goto: missing node"}));
    windows.push_back(std::make_unique<CPartyDlg>(party, services));
    windows.push_back(std::make_unique<CStateDlg>(environment, nullptr, services));
    windows.push_back(std::make_unique<CTestDlg>(dialogue, party, random, services, std::nullopt));
    for (const auto& window : windows) {
        ExpectAllNamed(*window);
    }
}

}  // namespace
}  // namespace tw::test
