#include "model/json_value_builder.h"

#include <utility>

namespace tw {

// Pointers into the tree stay valid while they are used: a member of a map never moves,
// and an array only grows after its last element has been closed.
JsonValueBuilder::Json* JsonValueBuilder::NextSlot() {
    if (open_.empty()) {
        return &value_;
    }
    Json& container = *open_.back();
    if (container.is_array()) {
        container.push_back(nullptr);
        return &container.back();
    }
    return member_;
}

void JsonValueBuilder::Put(Json value) {
    Json* slot = NextSlot();
    *slot = std::move(value);
    if (slot->is_structured()) {
        open_.push_back(slot);
    } else if (open_.empty()) {
        complete_ = true;
    }
}

void JsonValueBuilder::Key(const std::string& key) {
    member_ = &(*open_.back())[key];
}

void JsonValueBuilder::Close() {
    open_.pop_back();
    complete_ = open_.empty();
}

JsonValueBuilder::Json JsonValueBuilder::Take() {
    complete_ = false;
    member_ = nullptr;
    return std::exchange(value_, Json());
}

}  // namespace tw
