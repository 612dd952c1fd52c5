#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "script/byte_string.h"
#include "script/value.h"

namespace tw {

// The flags and variables of a conversation: one case-insensitive ordered map from name
// to value. Names starting with '$' are variables, all others flags. An entry keeps the
// spelling under which it was first stored.
class Environment {
public:
    using Map = std::map<std::string, Value, LessNoCase>;
    using const_iterator = Map::const_iterator;

    bool IsDefined(std::string_view name) const;
    // A copy of the stored value; an invalid value when the name is absent.
    Value Get(std::string_view name) const;
    void Set(std::string_view name, Value value);
    // Stores the value only when the name is absent.
    void SetDefault(std::string_view name, Value value);
    void Clear() { entries_.clear(); }

    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

private:
    Map entries_;
};

// Whether a name denotes a variable ('$' first) rather than a flag.
inline bool IsVariableName(std::string_view name) {
    return !name.empty() && name.front() == '$';
}

}  // namespace tw
