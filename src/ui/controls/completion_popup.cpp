#include "ui/controls/completion_popup.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

namespace tw {
namespace {

// Installed on the popup after the completer's own filter, so it sees the press first. The
// press is handed again to the window under the pointer, as the window system would have
// handed it with no popup open; that window then also takes the release, and a modal
// dialog still keeps it from the windows behind.
class ClosingClickFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* popup = qobject_cast<QWidget*>(watched);
        if (popup == nullptr || event->type() != QEvent::MouseButtonPress) {
            return false;
        }
        const auto* press = static_cast<QMouseEvent*>(event);
        if (popup->rect().contains(press->position().toPoint())) {
            return false;
        }
        const QPointF global = press->globalPosition();
        popup->hide();
        if (QWindow* window = QGuiApplication::topLevelAt(global.toPoint())) {
            const QPointF local = window->mapFromGlobal(global.toPoint());
            QMouseEvent again(QEvent::MouseButtonPress, local, local, global, press->button(),
                              press->buttons(), press->modifiers());
            QCoreApplication::sendEvent(window, &again);
        }
        return true;
    }
};

}  // namespace

void PassClosingClickOn(QCompleter* completer) {
    QAbstractItemView* popup = completer->popup();  // made now, with the completer's filter
    // Qt's own replay, where a platform has one, would press a second time.
    popup->setAttribute(Qt::WA_NoMouseReplay);
    popup->installEventFilter(new ClosingClickFilter(completer));
}

}  // namespace tw
