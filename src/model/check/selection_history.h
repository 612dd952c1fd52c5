#pragma once

// The nodes the writer has selected, walked back and forward as a browser walks its pages.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tw {

class SelectionHistory {
public:
    // A new selection drops whatever lay ahead of the current place; selecting the current
    // node again changes nothing.
    void Visit(std::int32_t nodeId);
    bool CanGoBack() const { return current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < entries_.size(); }
    // The node to select, or nothing at the end of the road.
    std::optional<std::int32_t> Back();
    std::optional<std::int32_t> Forward();
    // After a document switch the old road leads nowhere.
    void Clear();

private:
    std::vector<std::int32_t> entries_;
    std::size_t current_ = 0;
};

}  // namespace tw
