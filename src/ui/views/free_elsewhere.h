#pragma once

// The last share of something large (findings or rows tens of thousands long) let go on
// another thread: freeing it is milliseconds of the window's thread.

#include <QThreadPool>
#include <memory>
#include <utility>

namespace tw {

template <typename T>
void FreeElsewhere(std::shared_ptr<T> shared) {
    if (shared != nullptr) {
        QThreadPool::globalInstance()->start(
            [shared = std::move(shared)]() mutable { shared.reset(); });
    }
}

}  // namespace tw
