#include "ui/main_window/find_commands.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSplitter>

#include "ui/views/find_bar.h"
#include "ui/views/find_part.h"

namespace tw {

FindCommands::FindCommands(FindBar& bar, FindPart& find, QSplitter& panes, QAction& shown,
                           QWidget& fallback)
    : QObject(&bar), bar_(bar), find_(find), panes_(panes), shown_(shown), fallback_(fallback) {
    bar_.onClose = [this] { Hide(); };
}

void FindCommands::Find(bool allDialogues) {
    if (QWidget* focus = QApplication::focusWidget(); focus && !bar_.isAncestorOf(focus)) {
        focusBefore_ = focus;
    }
    shown_.setChecked(true);
    if (!bar_.isVisible()) {
        ShowWithRoom();
    }
    bar_.Pattern()->setFocus();
    bar_.Pattern()->selectAll();
    find_.Start(allDialogues);
}

void FindCommands::FindNext(bool forward) {
    if (!bar_.isVisible()) {
        Find(find_.SearchesAll());
        return;
    }
    find_.Next(forward);
}

void FindCommands::ShowBar() {
    if (shown_.isChecked()) {
        Find(find_.SearchesAll());
    } else {
        Hide();
    }
}

// The pane below the lists grows to show the bar and its results whole; the lists give up the
// room.
void FindCommands::ShowWithRoom() {
    panesBefore_ = panes_.sizes();
    bar_.show();
    const int wanted = panes_.widget(1)->sizeHint().height();
    const QList<int> sizes = panes_.sizes();
    if (sizes.size() == 2 && sizes[1] < wanted) {
        panes_.setSizes({std::max(0, sizes[0] + sizes[1] - wanted), wanted});
    }
}

// The focus goes back where it was before the bar took it, and the lists get their room back.
void FindCommands::Hide() {
    const bool hadFocus = bar_.isAncestorOf(QApplication::focusWidget());
    if (bar_.isVisible() && !panesBefore_.isEmpty()) {
        panes_.setSizes(panesBefore_);
    }
    bar_.hide();
    shown_.setChecked(false);
    if (hadFocus) {
        (focusBefore_ ? focusBefore_.data() : &fallback_)->setFocus();
    }
}

}  // namespace tw
