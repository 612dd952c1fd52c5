#pragma once

#include <cstdint>
#include <string>

namespace tw {

// The kinds of value the script language computes with; the numbers are stored in files.
enum class ValueType : int { Real = 0, Integer = 1, String = 2, Boolean = 3, Invalid = -1 };

// A dynamically typed script value: real, integer, string, boolean or invalid.
class Value {
public:
    Value() = default;
    Value(std::int32_t integer) : type_(ValueType::Integer), integer_(integer) {}
    Value(double real) : type_(ValueType::Real), real_(real) {}
    Value(std::string text) : type_(ValueType::String), text_(std::move(text)) {}
    Value(const char* text) : Value(std::string(text)) {}
    Value(bool boolean) : type_(ValueType::Boolean), boolean_(boolean) {}

    ValueType GetType() const { return type_; }
    std::string ToString() const;
    bool IsBoolean() const { return type_ == ValueType::Boolean; }
    bool IsNotBoolean() const { return type_ != ValueType::Boolean; }
    bool IsNumeric() const { return type_ == ValueType::Integer || type_ == ValueType::Real; }

    // Payload getters do not convert: another kind answers 0, 0.0, false or "".
    std::int32_t GetInteger() const { return integer_; }
    double GetReal() const { return real_; }
    bool GetBoolean() const { return boolean_; }
    std::string GetString() const { return text_; }
    // A numeric value as a double (integers converted); 0.0 for other kinds.
    double AsReal() const;

    friend bool operator==(const Value& a, const Value& b);

private:
    ValueType type_ = ValueType::Invalid;
    std::int32_t integer_ = 0;
    double real_ = 0.0;
    bool boolean_ = false;
    std::string text_;
};

// The lower-case name of a kind: real, integer, string, boolean, invalid.
const char* ValueTypeName(ValueType type);

}  // namespace tw
