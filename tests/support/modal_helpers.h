#pragma once

// Modal windows block the test that opens them; these act on the next one from the event
// loop that exec() runs.

#include <QApplication>
#include <QTimer>
#include <QWidget>
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

}  // namespace tw::test
