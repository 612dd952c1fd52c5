#include "ui/tester/state_lists.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>

#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/in_place_edit.h"
#include "ui/platform/text_codec.h"

namespace tw {

StateLists::StateLists(StateEditor& editor, QWidget* parent) : QObject(parent), editor_(editor) {
    lists_[0] = MakeList(StateList::kVariables, parent, tr("Variable"), 112);
    lists_[1] = MakeList(StateList::kFlags, parent, tr("Flag"), 122);
    lists_[0]->setAccessibleName(tr("Variables"));
    lists_[1]->setAccessibleName(tr("Flags"));
}

EnhancedListCtrl* StateLists::MakeList(StateList which, QWidget* parent, const QString& nameColumn,
                                       int width) {
    auto* list = new EnhancedListCtrl(parent);
    list->AddColumn(nameColumn, width);
    list->AddColumn(tr("Value"), 100);
    list->SetColumnEditable(0, true);
    list->SetColumnEditable(1, true);
    list->SetLabelEditing(true);  // a second click on a cell of the current row edits it
    list->SetRowDragEnabled(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->installEventFilter(this);
    list->SetEditHandler([this, which](int row, int column, QString& text, EnhancedListCtrl&) {
        text = FromBytes(editor_.EditCell(which, static_cast<std::size_t>(row),
                                          static_cast<StateColumn>(column), ToBytes(text)));
        // A new entry row appears after the edit has ended, not inside it.
        QTimer::singleShot(0, this, [this, which] {
            FillList(which);
            Changed();
        });
    });
    return list;
}

void StateLists::Changed() {
    if (changed_) {
        changed_();
    }
}

void StateLists::Refill() {
    FillList(StateList::kVariables);
    FillList(StateList::kFlags);
}

void StateLists::Mark() {
    marking_ = true;
    for (StateList which : {StateList::kVariables, StateList::kFlags}) {
        auto& marked = marked_[static_cast<int>(which)];
        marked.clear();
        for (const StateRow& row : editor_.Rows(which)) {
            marked[row.name] = row.value;
        }
    }
}

// The current row stays current, so that a click on the next cell of a row just edited
// edits it at once; where the rows were sorted again it is found by its name.
void StateLists::FillList(StateList which) {
    EnhancedListCtrl* list = List(which);
    int current = list->currentIndex().isValid() ? list->currentIndex().row() : -1;
    const std::string currentName = current >= 0 ? ToBytes(list->ItemText(current, 0)) : "";
    list->DeleteAllRows();
    const auto& rows = editor_.Rows(which);
    const auto& marked = marked_[static_cast<int>(which)];
    const QBrush changed(list->palette().color(QPalette::Highlight).lighter(170));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = list->InsertRow(static_cast<int>(i), FromBytes(rows[i].name), -1);
        if (!currentName.empty() && rows[i].name == currentName) {
            current = row;
        }
        list->SetItemText(row, 1, FromBytes(rows[i].value));
        const auto before = marked.find(rows[i].name);
        if (marking_ && !rows[i].name.empty() &&
            (before == marked.end() || before->second != rows[i].value)) {
            for (int column = 0; column < 2; ++column) {
                list->topLevelItem(row)->setBackground(column, changed);
            }
        }
    }
    if (current >= 0) {
        list->SelectRow(std::min(current, list->RowCount() - 1));
    }
}

bool StateLists::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != lists_[0] && watched != lists_[1])) {
        return QObject::eventFilter(watched, event);
    }
    const StateList which = watched == lists_[0] ? StateList::kVariables : StateList::kFlags;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete) {
        DeleteSelectedRows(which);
        return true;
    }
    if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
        EditCurrentRow(which);
        return true;
    }
    return StartTypingNewEntry(which, *key);
}

void StateLists::DeleteSelectedRows(StateList which) {
    std::vector<std::size_t> selected;
    EnhancedListCtrl* list = List(which);
    for (int row = 0; row < list->RowCount(); ++row) {
        if (list->topLevelItem(row)->isSelected()) {
            selected.push_back(static_cast<std::size_t>(row));
        }
    }
    editor_.DeleteRows(which, std::move(selected));
    FillList(which);
    Changed();
}

// F2 edits the value, as the state window's instructions say; on a row without a name,
// where a value could not be applied, the name.
void StateLists::EditCurrentRow(StateList which) {
    EnhancedListCtrl* list = List(which);
    if (!list->currentIndex().isValid()) {
        return;
    }
    const int row = list->currentIndex().row();
    list->EditSubLabel(row, list->ItemText(row, 0).isEmpty() ? 0 : 1);
}

// Typing on the empty entry row starts a new entry: the name editor opens and takes the key,
// so the rest of the typing lands in it.
bool StateLists::StartTypingNewEntry(StateList which, QKeyEvent& key) {
    EnhancedListCtrl* list = List(which);
    const bool isText = !key.text().isEmpty() && key.text().front().isPrint() &&
                        !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!isText || !list->currentIndex().isValid() ||
        list->currentIndex().row() != static_cast<int>(editor_.EntryRow(which))) {
        return false;
    }
    CInPlaceEdit* cell = list->EditSubLabel(list->currentIndex().row(), 0);
    if (cell == nullptr) {
        return false;
    }
    QCoreApplication::sendEvent(cell, &key);
    return true;
}

}  // namespace tw
