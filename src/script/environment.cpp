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
        Record(found->first, found->second);
        found->second = std::move(value);
    } else {
        Record(name, std::nullopt);
        entries_.emplace(std::string(name), std::move(value));
    }
}

void Environment::SetDefault(std::string_view name, Value value) {
    if (!IsDefined(name)) {
        Record(name, std::nullopt);
        entries_.emplace(std::string(name), std::move(value));
    }
}

void Environment::Erase(std::string_view name) {
    const auto found = entries_.find(name);
    if (found != entries_.end()) {
        Record(found->first, std::move(found->second));
        entries_.erase(found);
    }
}

Environment& Environment::operator=(const Environment& other) {
    if (this != &other) {
        Clear();
        entries_ = other.entries_;
        for (const auto& entry : entries_) {
            Record(entry.first, std::nullopt);
        }
    }
    return *this;
}

void Environment::Clear() {
    for (const auto& [name, value] : entries_) {
        Record(name, value);
    }
    entries_.clear();
}

void Environment::Record(std::string_view name, std::optional<Value> before) {
    if (journal_ != nullptr) {
        journal_->push_back({std::string(name), std::move(before)});
    }
}

void Environment::RollBack(EnvironmentJournal& journal, std::size_t mark) {
    while (journal.size() > mark) {
        EnvironmentChange& change = journal.back();
        if (change.before) {
            entries_.insert_or_assign(change.name, std::move(*change.before));
        } else {
            entries_.erase(change.name);
        }
        journal.pop_back();
    }
}

}  // namespace tw
