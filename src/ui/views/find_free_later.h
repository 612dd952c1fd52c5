#pragma once

// The rows of a finished search, freed a slice per turn of the event loop: a search of a large
// dialogue leaves a row for each of many thousands of matches, and freeing them all at once
// would hold up the next search's first results.

#include <QObject>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

namespace tw {

template <typename Row>
void FreeSomeLater(QObject* context, std::shared_ptr<std::vector<Row>> rows) {
    constexpr std::size_t kRowsFreedPerTurn = 4000;
    rows->erase(
        rows->end() - static_cast<std::ptrdiff_t>(std::min(kRowsFreedPerTurn, rows->size())),
        rows->end());
    if (!rows->empty()) {
        QTimer::singleShot(0, context, [context, rows] { FreeSomeLater(context, rows); });
    }
}

// Takes the rows; they go with the context if it goes first.
template <typename Row>
void FreeLater(QObject* context, std::vector<Row>& rows) {
    if (rows.empty()) {
        return;
    }
    auto taken = std::make_shared<std::vector<Row>>(std::move(rows));
    rows.clear();
    QTimer::singleShot(0, context, [context, taken] { FreeSomeLater(context, taken); });
}

}  // namespace tw
