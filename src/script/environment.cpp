#include "script/environment.h"

namespace tw {

bool Environment::IsDefined(std::string_view name) const {
    return entries_.find(name) != entries_.end();
}

Value Environment::Get(std::string_view name) const {
    const auto found = entries_.find(name);
    return found == entries_.end() ? Value() : found->second;
}

void Environment::Set(std::string_view name, Value value) {
    // Replacing keeps the spelling of the first store.
    const auto found = entries_.find(name);
    if (found != entries_.end()) {
        found->second = std::move(value);
    } else {
        entries_.emplace(std::string(name), std::move(value));
    }
}

void Environment::SetDefault(std::string_view name, Value value) {
    if (!IsDefined(name)) {
        entries_.emplace(std::string(name), std::move(value));
    }
}

}  // namespace tw
