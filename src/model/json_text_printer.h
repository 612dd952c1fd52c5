#pragma once

// Prints JSON text straight into a string, laid out as the JSON library prints a value
// with an indent of 2: one member or element a line, "key": value, and empty objects and
// arrays as {} and [].

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

class JsonTextPrinter {
public:
    explicit JsonTextPrinter(std::string& out) : out_(out) {}

    std::string& Out() { return out_; }

    void OpenObject() { Open('{'); }
    void CloseObject() { Close('}'); }
    void OpenArray() { Open('['); }
    void CloseArray() { Close(']'); }

    // Starts the next member of the innermost object; its value follows.
    void Key(std::string_view key);
    // Starts the next element of the innermost array.
    void Element() { NextLine(); }

    // Values, each after a Key or an Element (or alone).
    void String(std::string_view windows1252);
    void Int(std::int32_t value);
    void Bool(bool value) { out_ += value ? "true" : "false"; }

    // A member with its value in one step.
    void StringMember(std::string_view key, std::string_view windows1252) {
        Key(key);
        String(windows1252);
    }

private:
    void Open(char bracket);
    void Close(char bracket);
    void NextLine();

    std::string& out_;
    // Whether each open container has a member yet; the dialogue nests six deep.
    std::array<bool, 16> filled_{};
    std::size_t depth_ = 0;
};

}  // namespace tw
