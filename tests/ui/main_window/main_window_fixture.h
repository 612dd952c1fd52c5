#pragma once

// A main window on scripted platform services, shown on the offscreen platform, with the
// helpers its tests share.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <deque>
#include <functional>

#include "model/dialogue.h"
#include "support/app_test_support.h"
#include "support/modal_helpers.h"
#include "support/qt_printers.h"
#include "support/scripted_platform_services.h"
#include "support/tree_dump.h"
#include "support/view_rows.h"
#include "support/window_controls.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/in_place_edit.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/views/control_ids.h"
#include "ui/views/find_bar.h"
#include "ui/views/map/map_canvas.h"
#include "ui/views/map/map_view.h"
#include "ui/views/problems_view.h"

namespace tw::test {

class MainWindowTest : public testing::Test {
public:
    void SetUp() override {
        services.SetFailureHook([](const std::string& error) { ADD_FAILURE() << error; });
        window = std::make_unique<CTalkwrightDlg>(services);
        // The dialogs the window opens are driven by the queued steps, never left waiting.
        window->SetDialogRunner([this](QDialog& dialog) { return RunQueuedStep(steps, dialog); });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        EXPECT_EQ(services.PendingAnswers(), 0u);
        EXPECT_TRUE(steps.empty()) << "a dialog the test expected did not open";
        // Whatever a test left modified is not asked about again.
        for (std::size_t i = 0; i < Documents().Count(); ++i) {
            Documents().At(i).GetDialogue().SetModified(false);
        }
    }

    // The window's controls, found as a user's automation finds them: by name.
    template <typename T>
    T* Named(const QString& name) const {
        return window->findChild<T*>(name);
    }
    EnhancedTreeCtrl* Tree() const { return CurrentTree(*window); }
    EnhancedListCtrl* CommandList() const { return test::CommandList(*window); }
    EnhancedListCtrl* ResponseList() const { return test::ResponseList(*window); }
    CStyleEditCtrl* NodeText() const { return NodeTextBox(*window); }
    QLineEdit* Comments() const { return Named<QLineEdit>("comments"); }
    QLineEdit* NpcName() const { return Named<QLineEdit>("npcName"); }
    QTabBar* Tabs() const { return window->findChild<QTabBar*>(); }
    QPushButton* Button(int id) const { return Named<QPushButton>(QString("button%1").arg(id)); }
    FindBar* Find() const { return Named<FindBar>("findBar"); }
    ProblemsView* Problems() const { return Named<ProblemsView>("problems"); }
    QLabel* StatusText() const { return Named<QLabel>("statusText"); }
    QMenuBar* MenuBar() const { return window->findChild<QMenuBar*>(); }
    QMenu* Menu(const QString& title) const {
        for (QAction* action : MenuBar()->actions()) {
            if (action->menu() != nullptr && action->menu()->title() == title) {
                return action->menu();
            }
        }
        return nullptr;
    }
    QMenu* RecentMenu() const { return Named<QMenu>("recentFiles"); }
    QAction* Action(const QString& name) const { return Named<QAction>(name); }
    // Chooses a command as its menu item would.
    void Press(int id) const { QTest::mouseClick(Button(id), Qt::LeftButton); }
    void ClickTab(int index) const {
        QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index).center());
    }
    void Trigger(const QString& name) const {
        QAction* action = Action(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        action->trigger();
    }

    // Opens a file as the writer picks it in the Open dialog.
    void OpenFile(const std::string& path) {
        services.QueueFileChoice(path);
        Trigger("open");
    }

    DocumentManager& Documents() { return window->Documents(); }
    EditorDocument& CurrentDocument() { return Documents().Current(); }
    // Tells the views that a test changed the current dialogue behind their back.
    void Refresh() { CurrentDocument().ReportTreeChanged(); }
    Dialogue& Current() { return CurrentDocument().GetDialogue(); }
    DialogueNode& Node(const std::string& name) { return *Current().FindNodeByName(name); }

    QTreeWidgetItem* Item(const QString& label) {
        const QList<QTreeWidgetItem*> found =
            Tree()->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.front() : nullptr;
    }
    // A click on the item, its branch opened down to it first.
    void Select(const QString& label) {
        QTreeWidgetItem* item = Item(label);
        ASSERT_NE(item, nullptr) << label.toStdString();
        for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent()) {
            parent->setExpanded(true);
        }
        QTreeWidget* tree = Tree();
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
        ASSERT_EQ(tree->currentItem(), item) << label.toStdString();
    }

    // A click, or a double click, on the centre of a node's box scrolled into view.
    void ClickBox(MapView& map, const std::string& name, bool twice = false) {
        const QRectF box = map.BoxOfNode(Node(name).GetId());
        map.Canvas().ensureVisible(box, 0, 0);
        const QPoint at = map.Canvas().mapFromScene(box.center());
        if (twice) {
            QTest::mouseDClick(map.Canvas().viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(map.Canvas().viewport(), Qt::LeftButton, {}, at);
        }
    }

    QString TreeDump() const { return test::TreeDump(*Tree()); }

    // A point near the left of a cell, where its text starts.
    static QPoint CellPoint(const EnhancedListCtrl& list, int row, int column) {
        const QRect rect = list.visualItemRect(list.topLevelItem(row));
        return {list.columnViewportPosition(column) + 6, rect.center().y()};
    }
    // Clicks a cell as a writer does to edit it in place: once to select its row, once more
    // to edit. Answers the cell's editor.
    static CInPlaceEdit* EditCell(EnhancedListCtrl& list, int row, int column) {
        const QPoint at = CellPoint(list, row, column);
        if (list.currentIndex().row() != row) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        }
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        for (CInPlaceEdit* editor : list.findChildren<CInPlaceEdit*>()) {
            if (editor->isVisible()) {
                return editor;
            }
        }
        return nullptr;
    }

    static QStringList Column(const EnhancedListCtrl& list, int column) {
        QStringList cells;
        for (int row = 0; row < list.RowCount(); ++row) {
            cells << list.ItemText(row, column);
        }
        return cells;
    }

    // The title as the window system shows it: Qt's placeholder becomes the modified mark.
    QString ShownTitle() const {
        return window->windowTitle().replace("[*]", window->isWindowModified() ? "*" : "");
    }

    QStringList TabTitles() const {
        QStringList titles;
        for (int i = 0; i < Tabs()->count(); ++i) {
            titles << Tabs()->tabText(i);
        }
        return titles;
    }

    ScriptedPlatformServices services;
    std::unique_ptr<CTalkwrightDlg> window;
    std::deque<DialogStep> steps;
};

}  // namespace tw::test
