#include "ui/controls/enhanced_list_ctrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include "ui/controls/command_icons.h"
#include "ui/controls/in_place_edit.h"

namespace tw {
namespace {

// A response list as the main window sets it up, with a model the callbacks keep in step.
class EnhancedListCtrlTest : public testing::Test {
protected:
    void Fill(int rows) {
        list.SetImageList(CommandIcons());
        list.AddColumn("Tag", 70);
        list.AddColumn("Type", 40);
        list.AddColumn("Response", 95);
        list.AddColumn("Goto Node", 64);
        list.SetColumnEditable(2, true);
        list.SetLabelEditing(true);
        for (int i = 0; i < rows; ++i) {
            const QString text = "r" + QString::number(i);
            model.push_back(text);
            list.InsertRow(i, text, kImageAddResponse, i);
            list.SetItemText(i, 1, "ADD");
            list.SetItemText(i, 2, "say " + text);
        }
        list.SetMoveHandler([this](int from, int to, EnhancedListCtrl&) {
            moves.emplace_back(from, to);
            const QString moved = model[static_cast<std::size_t>(from)];
            model.erase(model.begin() + from);
            model.insert(model.begin() + to, moved);
        });
        list.SetEditHandler([this](int row, int column, QString& text, EnhancedListCtrl&) {
            edits.push_back({row, column, text});
            if (text == "shout") {
                text = "SHOUT!";
            }
        });
        list.resize(320, 10 * 18 + 40);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        QApplication::setActiveWindow(&list);
    }

    std::vector<QString> Rows() const {
        std::vector<QString> rows;
        for (int i = 0; i < list.RowCount(); ++i) {
            rows.push_back(list.ItemText(i, 0));
        }
        return rows;
    }

    QRect RowRect(int row) const { return list.visualItemRect(list.topLevelItem(row)); }

    // The drop lands before the row found 10 pixels below the release point.
    QPoint DropBefore(int row) const { return QPoint(30, RowRect(row).top() + 2 - 10); }

    void Drag(int row, QPoint to) {
        QWidget* viewport = list.viewport();
        const QPoint start = RowRect(row).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(0, 12));
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    QPoint CellCenter(int row, int column) const {
        return list.visualRect(list.model()->index(row, column)).center();
    }

    // Clicks far enough apart in time not to make a double click.
    void Click(int row, int column) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CellCenter(row, column),
                          QApplication::doubleClickInterval() + 100);
    }

    struct Edit {
        int row;
        int column;
        QString text;
        bool operator==(const Edit&) const = default;
    };

    EnhancedListCtrl list;
    std::vector<QString> model;
    std::vector<std::pair<int, int>> moves;
    std::vector<Edit> edits;
};

// A row lands before the row under the drop; below the last row is the end; a drop that
// leaves the row in place, or outside the list, changes nothing.
TEST_F(EnhancedListCtrlTest, ADraggedRowLandsBeforeTheRowUnderTheDrop) {
    const struct {
        int row;
        int before;  // -1: below the last row; -2: above the list
        std::vector<std::pair<int, int>> moves;
    } cases[] = {{1, 4, {{1, 3}}}, {5, 2, {{5, 2}}}, {1, -1, {{1, 5}}},
                 {2, 2, {}},       {2, 3, {}},       {2, -2, {}}};
    Fill(6);
    for (const auto& c : cases) {
        moves.clear();
        const QPoint to = c.before >= 0    ? DropBefore(c.before)
                          : c.before == -1 ? QPoint(30, RowRect(5).bottom() + 30)
                                           : QPoint(30, -40);
        Drag(c.row, to);
        EXPECT_EQ(moves, c.moves) << c.row << " before " << c.before;
        EXPECT_EQ(Rows(), model);
        EXPECT_FALSE(list.IsDragging());
        if (!c.moves.empty()) {
            EXPECT_EQ(list.SelectedRow(), c.moves[0].second);
        }
    }
    EXPECT_EQ(list.ItemText(1, 2), "say r5");  // the row moved whole
    EXPECT_EQ(list.ItemValue(1), 5);
    EXPECT_EQ(list.ItemImage(1), kImageAddResponse);
    list.SetRowDragEnabled(false);
    Drag(2, DropBefore(5));
    EXPECT_TRUE(moves.empty());
}

TEST_F(EnhancedListCtrlTest, DraggingAtTheEdgesScrollsOneRowPerTick) {
    Fill(40);
    const int perPage = list.CountPerPage();
    ASSERT_GE(perPage, 5);
    list.verticalScrollBar()->setValue(12);
    ASSERT_EQ(list.TopIndex(), 12);
    QWidget* viewport = list.viewport();
    const QPoint start = RowRect(15).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(0, 12));
    ASSERT_TRUE(list.IsDragging());
    QTest::mouseMove(viewport, RowRect(12).center());
    EXPECT_TRUE(list.IsScrollingUp());
    EXPECT_FALSE(list.IsScrollingDown());
    // Each tick shows one more row above, until the first row is at the top.
    ASSERT_TRUE(QTest::qWaitFor([this] { return list.TopIndex() != 12; }));
    EXPECT_EQ(list.TopIndex(), 11);
    EXPECT_TRUE(QTest::qWaitFor([this] { return list.TopIndex() == 0; }));
    QTest::mouseMove(viewport, RowRect(2).center());
    EXPECT_FALSE(list.IsScrollingUp());
    QTest::mouseMove(viewport, RowRect(perPage - 1).center());
    EXPECT_TRUE(list.IsScrollingDown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return list.TopIndex() == 40 - perPage; }, 8000));
    QTest::mouseMove(viewport, RowRect(39).center());
    EXPECT_FALSE(list.IsScrollingDown());  // the last row is in view
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowRect(39).bottomLeft() + QPoint(30, -1));
    EXPECT_FALSE(list.IsScrollingUp());
    EXPECT_FALSE(list.IsScrollingDown());
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{15, 39}}));
    EXPECT_EQ(Rows(), model);
}

TEST_F(EnhancedListCtrlTest, ASecondClickOnTheFocusedRowEditsTheCell) {
    Fill(5);
    Click(3, 2);
    EXPECT_EQ(list.CurrentEditor(), nullptr);
    Click(3, 2);
    CInPlaceEdit* editor = list.CurrentEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "say r3");
    EXPECT_EQ(editor->selectedText(), "say r3");
    const int left = list.header()->sectionViewportPosition(2);
    EXPECT_EQ(editor->geometry().left(), left + 4);
    EXPECT_EQ(editor->geometry().right() + 1, left + 95 - 3);
    EXPECT_EQ(editor->geometry().top(), RowRect(3).top());
    EXPECT_EQ(editor->geometry().height(), RowRect(3).height());
    editor->selectAll();
    QTest::keyClicks(editor, "  shout \t");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(edits, (std::vector<Edit>{{3, 2, "shout"}}));
    EXPECT_EQ(list.ItemText(3, 2), "SHOUT!");
    EXPECT_EQ(list.CurrentEditor(), nullptr);
    // Nor is a column too narrow for an editor, nor a column not flagged, nor any with
    // label editing off.
    list.setColumnWidth(2, 4);
    Click(3, 2);
    EXPECT_EQ(list.CurrentEditor(), nullptr);
    EXPECT_EQ(list.EditSubLabel(3, 2), nullptr);
    list.setColumnWidth(2, 5);  // the narrowest column that takes an editor
    CInPlaceEdit* narrowest = list.EditSubLabel(3, 2);
    ASSERT_NE(narrowest, nullptr);
    QTest::keyClick(narrowest, Qt::Key_Escape);
    list.setColumnWidth(2, 95);
    EXPECT_EQ(list.EditSubLabel(7, 2), nullptr);  // callers may ask past the last row or column
    EXPECT_EQ(list.EditSubLabel(0, 9), nullptr);
    Click(1, 0);
    Click(1, 0);
    EXPECT_EQ(list.CurrentEditor(), nullptr);
    list.SetLabelEditing(false);
    Click(2, 2);
    Click(2, 2);
    EXPECT_EQ(list.CurrentEditor(), nullptr);
}

TEST_F(EnhancedListCtrlTest, EscapeCancelsAndSpacesOnlyGiveEmptyText) {
    Fill(5);
    list.SelectRow(4);
    QTest::keyClick(&list, Qt::Key_F2);
    CInPlaceEdit* editor = list.CurrentEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Row(), 4);
    EXPECT_EQ(editor->Column(), 2);
    QTest::keyClicks(editor, "changed");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(edits.empty());
    EXPECT_EQ(list.ItemText(4, 2), "say r4");
    EXPECT_EQ(list.CurrentEditor(), nullptr);

    QTest::keyClick(&list, Qt::Key_F2);
    editor = list.CurrentEditor();
    ASSERT_NE(editor, nullptr);
    const int start = editor->width();
    QTest::keyClicks(editor, QString(60, ' '));  // grows with its text up to the edge
    EXPECT_GT(editor->width(), start);
    EXPECT_LE(editor->geometry().right() + 1, list.viewport()->width());
    QTest::keyClick(editor, Qt::Key_Enter);
    EXPECT_EQ(edits, (std::vector<Edit>{{4, 2, ""}}));
}

}  // namespace
}  // namespace tw
