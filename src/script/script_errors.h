#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace tw {

// A script text that cannot be parsed, or a failed static check reported by a caller.
class SyntaxError {
public:
    explicit SyntaxError(std::string message) : message_(std::move(message)) {}
    std::string GetMessage() const { return message_; }

private:
    std::string message_;
};

// An operator that cannot compute its result while a statement runs.
class RuntimeError {
public:
    explicit RuntimeError(std::string message) : message_(std::move(message)) {}
    std::string GetMessage() const { return message_; }

private:
    std::string message_;
};

// How a statement hands control back to the conversation tester.
class ControlFlowException {
public:
    static constexpr int END = 0;
    static constexpr int GOTO = 1;
    static constexpr int BRANCH = 2;
    static constexpr int REPLY = 3;
    static constexpr int LIST = 4;

    // Room for a list of 12 choices: the count and a text and node name per choice.
    static constexpr std::size_t kTextCount = 25;
    using Texts = std::array<std::string, kTextCount>;

    ControlFlowException(int kind, std::string firstText);

    int GetKind() const { return kind_; }
    // Out-of-range indexes read as empty and are ignored when set.
    std::string GetText(std::size_t index) const;
    std::string GetFirstText() const { return texts_[0]; }
    void SetText(std::size_t index, std::string text);
    const Texts& GetTexts() const { return texts_; }

private:
    int kind_;
    Texts texts_;
};

}  // namespace tw
