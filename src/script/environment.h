#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_string.h"
#include "script/value.h"

namespace tw {

// The flags and variables of a conversation: one case-insensitive ordered map from name
// to value. Names starting with '$' are variables, all others flags. An entry keeps the
// spelling under which it was first stored.
// What one change overwrote: the entry's name and its earlier value, none when it was new.
struct EnvironmentChange {
    std::string name;
    std::optional<Value> before;
};
using EnvironmentJournal = std::vector<EnvironmentChange>;

class Environment {
public:
    Environment() = default;
    // A copy has the same entries but no journal: the journal belongs to one environment.
    Environment(const Environment& other) : entries_(other.entries_) {}
    // Assigning is journalled as a clear and a store of every entry.
    Environment& operator=(const Environment& other);

    using Map = std::map<std::string, Value, LessNoCase>;
    using const_iterator = Map::const_iterator;

    bool IsDefined(std::string_view name) const;
    // A copy of the stored value; an invalid value when the name is absent.
    Value Get(std::string_view name) const;
    void Set(std::string_view name, Value value);
    // Stores the value only when the name is absent.
    void SetDefault(std::string_view name, Value value);
    void Clear();
    // Every later change is appended to the journal (nullptr stops the recording), so
    // the tester can step back.
    void SetJournal(EnvironmentJournal* journal) { journal_ = journal; }
    // Undoes the journal's changes after its first mark entries, latest first, and drops
    // them from it.
    void RollBack(EnvironmentJournal& journal, std::size_t mark);

    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

private:
    void Record(std::string_view name, std::optional<Value> before);

    Map entries_;
    EnvironmentJournal* journal_ = nullptr;
};

// Whether a name denotes a variable ('$' first) rather than a flag.
inline bool IsVariableName(std::string_view name) {
    return !name.empty() && name.front() == '$';
}

}  // namespace tw
