#pragma once

#include <memory>
#include <string>

namespace tw {

class ByteReader;
class ByteWriter;

// A guard in script syntax: the boolean expression a command or response depends on.
class Conditional {
public:
    Conditional() = default;
    explicit Conditional(std::string expression) : expression_(std::move(expression)) {}

    void SetExpression(std::string expression) { expression_ = std::move(expression); }
    const std::string& GetExpression() const { return expression_; }
    std::unique_ptr<Conditional> Clone() const { return std::make_unique<Conditional>(*this); }

private:
    std::string expression_;
};

// The optional condition of a command or response as files and the clipboard hold it: a
// flag, then the expression when the flag is set.
void WriteOptionalCondition(ByteWriter& out, const Conditional* condition);
std::unique_ptr<Conditional> ReadOptionalCondition(ByteReader& in);

}  // namespace tw
