#pragma once

// The rows of a list or table view as a user's automation reads them: how many, the text of
// a cell, where a row is on screen.

#include <QAbstractItemView>
#include <QString>
#include <QStringList>

namespace tw::test {

inline int RowCount(const QAbstractItemView& view) {
    return view.model()->rowCount();
}

inline QString RowText(const QAbstractItemView& view, int row, int column) {
    return view.model()->index(row, column).data().toString();
}

// The first cell of the row, in the viewport's coordinates.
inline QRect RowRect(const QAbstractItemView& view, int row) {
    return view.visualRect(view.model()->index(row, 0));
}

// The texts of one column, row by row.
inline QStringList ColumnTexts(const QAbstractItemView& view, int column) {
    QStringList texts;
    for (int row = 0; row < RowCount(view); ++row) {
        texts << RowText(view, row, column);
    }
    return texts;
}

inline int CurrentRow(const QAbstractItemView& view) {
    return view.currentIndex().row();
}

}  // namespace tw::test
