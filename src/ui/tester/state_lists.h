#pragma once

// The environment as two editable lists, variables and flags, over a StateEditor: a second
// click or F2 edits a cell, typing on the empty last row starts a new entry, Delete removes
// the selected rows. Used by the "Dialogue State" window and by the tester window's own view
// of the environment.

#include <QObject>
#include <functional>
#include <map>
#include <string>

#include "tester/state_editor.h"

class QKeyEvent;
class QWidget;

namespace tw {

class EnhancedListCtrl;

class StateLists : public QObject {
    Q_OBJECT

public:
    // The lists are made as children of parent, for its layout.
    StateLists(StateEditor& editor, QWidget* parent);

    EnhancedListCtrl* List(StateList list) const { return lists_[static_cast<int>(list)]; }
    // Shows the editor's rows again, after any change of them; rows whose name and value
    // are not among the marked ones are highlighted, when marking is on.
    void Refill();
    // From now on rows that differ from the ones shown now stand out, until the next Mark.
    void Mark();
    // Called after the writer changed the rows (an edit ended, rows were deleted).
    void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EnhancedListCtrl* MakeList(StateList list, QWidget* parent, const QString& nameColumn,
                               int nameWidth);
    void FillList(StateList list);
    void DeleteSelectedRows(StateList list);
    void EditCurrentRow(StateList list);
    bool StartTypingNewEntry(StateList list, QKeyEvent& key);
    void Changed();

    StateEditor& editor_;
    EnhancedListCtrl* lists_[2] = {};
    std::function<void()> changed_;
    bool marking_ = false;
    std::map<std::string, std::string> marked_[2];
};

}  // namespace tw
