#pragma once

// Modal windows block the test that opens them; these act on the next one from the event
// loop that exec() runs.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace tw::test {

// Calls act on the next modal widget of type T once it is shown (polls the event loop).
template <typename T>
void OnNextModal(std::function<void(T&)> act, int triesLeft = 200) {
    QTimer::singleShot(5, [act = std::move(act), triesLeft] {
        if (auto* modal = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            act(*modal);
        } else if (triesLeft > 0) {
            OnNextModal<T>(act, triesLeft - 1);
        }
    });
}

}  // namespace tw::test
