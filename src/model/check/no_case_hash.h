#pragma once

// Hashing and equality for the case-insensitive names of the script language, so names can
// key unordered containers.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/byte_string.h"

namespace tw {

struct NoCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
        // FNV-1a over the lower-case bytes.
        std::size_t hash = 14695981039346656037ULL;
        for (const char c : name) {
            hash = (hash ^ static_cast<unsigned char>(ToLowerAscii(c))) * 1099511628211ULL;
        }
        return hash;
    }
};

struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }
};

}  // namespace tw
