#pragma once

// The Search menu: the find bar shown and hidden, with room made for it below the lists and
// the focus given back where it was, and the search run and stepped through.

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QSplitter;

namespace tw {

class FindBar;
class FindPart;

class FindCommands : public QObject {
    Q_OBJECT

public:
    // `shown` is the checkable "Find Bar" item; `fallback` takes the focus when the bar had it
    // and nothing before did.
    FindCommands(FindBar& bar, FindPart& find, QSplitter& panes, QAction& shown, QWidget& fallback);

    void Find(bool allDialogues);
    void FindNext(bool forward);
    // The "Find Bar" item was chosen: the bar shows or hides as its check says.
    void ShowBar();
    void Hide();

private:
    void ShowWithRoom();

    FindBar& bar_;
    FindPart& find_;
    QSplitter& panes_;
    QAction& shown_;
    QWidget& fallback_;
    QPointer<QWidget> focusBefore_;
    QList<int> panesBefore_;
};

}  // namespace tw
