#include "model/check/selection_history.h"

namespace tw {

void SelectionHistory::Visit(std::int32_t nodeId) {
    if (!entries_.empty() && entries_[current_] == nodeId) {
        return;
    }
    if (!entries_.empty()) {
        entries_.resize(current_ + 1);
    }
    entries_.push_back(nodeId);
    current_ = entries_.size() - 1;
}

std::optional<std::int32_t> SelectionHistory::Back() {
    if (!CanGoBack()) {
        return std::nullopt;
    }
    return entries_[--current_];
}

std::optional<std::int32_t> SelectionHistory::Forward() {
    if (!CanGoForward()) {
        return std::nullopt;
    }
    return entries_[++current_];
}

void SelectionHistory::Clear() {
    entries_.clear();
    current_ = 0;
}

}  // namespace tw
