#pragma once

// Editing the cells of a list as a writer does: clicks on the cell's rectangle, keys into
// the in-place editor.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "ui/controls/enhanced_list_ctrl.h"

namespace tw::test {

inline void ClickCell(EnhancedListCtrl& list, int row, int column) {
    const QRect cell = list.visualRect(list.model()->index(row, column));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
}

inline QLineEdit* OpenEditor() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

// Types into the cell editor that has the focus and commits with Enter; the list shows the
// result once the edit has ended.
inline void TypeAndCommit(const QString& text) {
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->objectName(), "inPlaceEdit");
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

// A click selects the row unless it is the current one of the focused list; a click on a
// cell of that row edits the cell.
inline void EditCell(EnhancedListCtrl& list, int row, int column, const QString& text) {
    if (!list.hasFocus() || !list.currentIndex().isValid() || list.currentIndex().row() != row)
        ClickCell(list, row, column);
    ClickCell(list, row, column);
    TypeAndCommit(text);
}

// The row whose first column reads name, or -1.
inline int RowNamed(EnhancedListCtrl& list, const QString& name) {
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.ItemText(row, 0) == name)
            return row;
    return -1;
}

}  // namespace tw::test
