#pragma once

// The main window on a small dialogue, with its dialogs driven by queued steps and the
// gestures a writer makes: drags in the tree and the lists, typing, clicks on menu items.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <deque>
#include <functional>

#include "model/command_kinds.h"
#include "model/dialogue_json.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/dialogs/editing_dialog.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {

class CommandsTest : public MainWindowTest {
public:
    using Step = std::function<void(QDialog&)>;
    using MainWindowTest::EditCell;
    using MainWindowTest::Item;
    using MainWindowTest::Select;
    using MainWindowTest::services;
    using MainWindowTest::window;

    void SetUp() override {
        MainWindowTest::SetUp();
        window->SetDialogRunner([this](QDialog& dialog) { return RunStep(dialog); });
        Dialogue& document = Current();
        DialogueNode& greeting = document.AppendNode(document.Root(), 1, "Greeting");
        document.AppendNode(greeting, 2, "Shop", "sells ale");
        document.AppendNode(document.Root(), 3, "Farewell");
        document.SetNextNodeId(4);
        document.SetScratch(false);  // a document with content is kept when others open
        greeting.AppendCommand(std::make_unique<CommandFlag>(true, "kMet"));
        greeting.AppendCommand(std::make_unique<CommandVariable>("$gold", "5"));
        greeting.AppendCommand(std::make_unique<CommandGoto>("Shop"));
        greeting.AppendCommand(std::make_unique<CommandEnd>());
        auto add = std::make_unique<NodeResponseAdd>("A01");
        add->SetPlayerText("Hello there.");
        add->SetGotoNode("Shop");
        greeting.AppendResponse(std::move(add));
        auto cut = std::make_unique<NodeResponseCut>("C01");
        cut->SetCutTag("A01");
        greeting.AppendResponse(std::move(cut));
        auto bye = std::make_unique<NodeResponseAdd>("A02");
        bye->SetPlayerText("Bye.");
        greeting.AppendResponse(std::move(bye));
        Refresh();
        Select("Greeting");
    }
    void TearDown() override {
        EXPECT_TRUE(steps.empty());
        MainWindowTest::TearDown();
    }

    int RunStep(QDialog& dialog) { return RunQueuedStep(steps, dialog); }

    // A dialog step that types into fields by id and presses OK.
    static Step Fill(std::vector<std::pair<int, QString>> fields) {
        return [fields = std::move(fields)](QDialog& opened) {
            auto& dialog = dynamic_cast<CEditingDialog&>(opened);
            for (const auto& [id, text] : fields) {
                if (auto* box = dialog.Control<QComboBox>(id)) {
                    box->setEditText(text);
                    continue;
                }
                QLineEdit* edit = dialog.Control<QLineEdit>(id);
                ASSERT_NE(edit, nullptr) << id;
                edit->setText(text);
            }
            dialog.Control<QAbstractButton>(1)->click();
        };
    }

    void Press(int id) { Button(id)->click(); }
    std::string Json() { return DialogueToJson(Current()); }

    // The menu item with that caption, searched through every menu of the menu bar.
    QAction* MenuItem(const QString& caption) const {
        for (QAction* top : MenuBar()->actions()) {
            if (QAction* found = FindIn(top->menu(), caption)) {
                return found;
            }
        }
        return nullptr;
    }
    static QAction* FindIn(QMenu* menu, const QString& caption) {
        if (menu == nullptr) {
            return nullptr;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                return action;
            }
            if (QAction* found = FindIn(action->menu(), caption)) {
                return found;
            }
        }
        return nullptr;
    }
    QAction* UndoItem() const { return EditMenu()->actions().at(0); }
    QAction* RedoItem() const { return EditMenu()->actions().at(1); }

    void SelectRows(EnhancedListCtrl& list, std::initializer_list<int> rows) {
        list.clearSelection();
        for (int row : rows) {
            list.topLevelItem(row)->setSelected(true);
        }
    }

    // Makes the window active so the focus tests of the Edit menu see the box focused.
    void FocusNodeText() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        NodeText()->setFocus();
        ASSERT_TRUE(NodeText()->hasFocus());
    }

    void DragTreeItem(QTreeWidgetItem* from, QTreeWidgetItem* to) {
        QWidget* viewport = Tree()->viewport();
        const QPoint start = Tree()->visualItemRect(from).center();
        const QPoint end = Tree()->visualItemRect(to).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(12, 0));
        QTest::mouseMove(viewport, end);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }

    // Drags a row so that it lands before row `before` (a drop lands before the row found
    // 10 pixels below the release point).
    void DragRow(EnhancedListCtrl& list, int row, int before) {
        QWidget* viewport = list.viewport();
        const QPoint start = list.visualItemRect(list.topLevelItem(row)).center();
        const QPoint end(30, list.visualItemRect(list.topLevelItem(before)).top() + 2 - 10);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(0, 12));
        QTest::mouseMove(viewport, end);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }

    std::deque<Step> steps;
};

}  // namespace tw::test
