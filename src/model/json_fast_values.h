#pragma once

// The values the fast JSON reader takes from simdjson's On-Demand parser, each only when
// it is sure of it: anything else throws GiveUp, and the full reader reads the text.

#include <simdjson.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/conditional.h"
#include "model/json_string_bytes.h"

namespace tw::json_fast {

namespace od = simdjson::ondemand;

// Thrown at the first doubt; simdjson's own errors count as doubts too.
struct GiveUp {};

[[noreturn]] inline void Doubt() {
    throw GiveUp{};
}

// The text of a string value, from the literal as it stands in the input.
inline std::string Bytes(od::value value) {
    std::string_view token = value.raw_json_token();
    while (!token.empty() && (token.back() == ' ' || token.back() == '\n' || token.back() == '\r' ||
                              token.back() == '\t')) {
        token.remove_suffix(1);
    }
    if (token.size() < 2 || token.front() != '"' || token.back() != '"') {
        Doubt();
    }
    std::optional<std::string> bytes = JsonStringBytes(token.substr(1, token.size() - 2));
    if (!bytes) {
        Doubt();
    }
    // Consumes the value, so the parser moves past it.
    static_cast<void>(value.get_raw_json_string().value());
    return std::move(*bytes);
}

inline std::int32_t Int32(od::value value) {
    const std::int64_t number = value.get_int64();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        Doubt();
    }
    return static_cast<std::int32_t>(number);
}

// A condition: a string, or null for none.
inline std::optional<std::string> ConditionBytes(od::value value) {
    if (value.type() == od::json_type::null) {
        const bool isNull = value.is_null();
        if (!isNull) {
            Doubt();
        }
        return std::nullopt;
    }
    return Bytes(value);
}

// Set even when there is none, as the full reader does.
inline std::unique_ptr<Conditional> MakeCondition(std::optional<std::string> condition) {
    return condition ? std::make_unique<Conditional>(std::move(*condition)) : nullptr;
}

// Where the search for the next key starts: after the latest key of the table seen so far.
template <std::size_t N>
std::size_t AfterLatest(const std::bitset<N>& seen) {
    for (std::size_t i = N; i > 0; --i) {
        if (seen.test(i - 1)) {
            return i;
        }
    }
    return 0;
}

// The index of the key among the keys an object may have; a key written with escapes, an
// unknown key or a repeated one is a doubt. Printed documents list the keys in the order
// of the table, so the search starts after the latest one.
template <std::size_t N>
std::size_t KeyIndex(od::field& field, const std::array<std::string_view, N>& keys,
                     std::bitset<N>& seen) {
    const od::raw_json_string key = field.key();
    const char first = *key.raw();
    const std::size_t start = AfterLatest(seen);
    for (std::size_t n = 0; n < N; ++n) {
        const std::size_t i = (start + n) % N;
        if (keys[i].front() == first && key.unsafe_is_equal(keys[i])) {
            if (seen.test(i)) {
                Doubt();
            }
            seen.set(i);
            return i;
        }
    }
    Doubt();
}

// The members of a response or command, read before the kind decides which of them count.
// Every member must be of the type its kind would want.
template <std::size_t N>
struct Members {
    std::array<std::optional<std::string>, N> strings;
    std::bitset<N> seen;
    std::string Take(std::size_t key) { return strings[key] ? std::move(*strings[key]) : ""; }
};

}  // namespace tw::json_fast
