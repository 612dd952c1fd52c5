#pragma once

// Modal windows block the test that opens them; these act on the next one from the event
// loop that exec() runs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>

namespace tw::test {

// Calls act on the next modal widget of type T once it is shown and ready says so (polls
// the event loop).
template <typename T>
void OnNextModal(std::function<void(T&)> act, std::function<bool(T&)> ready = {},
                 int triesLeft = 400) {
    QTimer::singleShot(5, [act = std::move(act), ready = std::move(ready), triesLeft] {
        auto* modal = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (modal && (!ready || ready(*modal))) {
            act(*modal);
        } else if (triesLeft > 0) {
            OnNextModal<T>(act, ready, triesLeft - 1);
        }
    });
}

// Clicks the item with this caption in the next popup menu once it is open (polls the event
// loop that the menu's exec() runs).
inline void ChooseFromNextPopup(const QString& caption, int triesLeft = 200) {
    QTimer::singleShot(5, [caption, triesLeft] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            if (triesLeft > 0) {
                ChooseFromNextPopup(caption, triesLeft - 1);
            }
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
        }
    });
}

using DialogStep = std::function<void(QDialog&)>;

// Plays the next queued step on a dialog opened through a dialog runner, the way a writer
// fills it in, and answers its result as exec() would; a dialog no step expects fails the
// test and is cancelled.
inline int RunQueuedStep(std::deque<DialogStep>& steps, QDialog& dialog) {
    if (steps.empty()) {
        ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
        return int{QDialog::Rejected};
    }
    const DialogStep step = std::move(steps.front());
    steps.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    step(dialog);
    dialog.hide();
    return dialog.result();
}

}  // namespace tw::test
