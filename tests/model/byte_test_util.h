#pragma once

// Builds byte layouts by hand, so the tests state the formats independently of the
// writers under test.

#include <cstdint>
#include <string>
#include <string_view>

namespace tw::test {

class Bytes {
public:
    Bytes& Int(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<char>((bits >> shift) & 0xFF));
        }
        return *this;
    }
    Bytes& Byte(int value) {
        bytes_.push_back(static_cast<char>(value));
        return *this;
    }
    // File string: length and bytes.
    Bytes& Str(std::string_view text) {
        Int(static_cast<std::int32_t>(text.size()));
        bytes_.append(text);
        return *this;
    }
    // Archive string: length, bytes and a zero byte.
    Bytes& AStr(std::string_view text) {
        Str(text);
        return Byte(0);
    }
    Bytes& Raw(std::string_view raw) {
        bytes_.append(raw);
        return *this;
    }
    const std::string& str() const { return bytes_; }
    operator std::string_view() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace tw::test
