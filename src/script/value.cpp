#include "script/value.h"

#include "base/byte_string.h"

namespace tw {

std::string Value::ToString() const {
    switch (type_) {
        case ValueType::Real:
            return FormatReal(real_);
        case ValueType::Integer:
            return FormatInt(integer_);
        case ValueType::String:
            return text_;
        case ValueType::Boolean:
            return boolean_ ? "true" : "false";
        case ValueType::Invalid:
            break;
    }
    return "0";
}

double Value::AsReal() const {
    if (type_ == ValueType::Integer) {
        return integer_;
    }
    return type_ == ValueType::Real ? real_ : 0.0;
}

bool operator==(const Value& a, const Value& b) {
    if (a.type_ != b.type_) {
        return false;
    }
    switch (a.type_) {
        case ValueType::Real:
            return a.real_ == b.real_;
        case ValueType::Integer:
            return a.integer_ == b.integer_;
        case ValueType::String:
            return a.text_ == b.text_;
        case ValueType::Boolean:
            return a.boolean_ == b.boolean_;
        case ValueType::Invalid:
            break;
    }
    return true;
}

const char* ValueTypeName(ValueType type) {
    switch (type) {
        case ValueType::Real:
            return "real";
        case ValueType::Integer:
            return "integer";
        case ValueType::String:
            return "string";
        case ValueType::Boolean:
            return "boolean";
        case ValueType::Invalid:
            break;
    }
    return "invalid";
}

}  // namespace tw
