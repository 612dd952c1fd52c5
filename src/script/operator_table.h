#pragma once

#include <array>
#include <string_view>

namespace tw {

// One row of the table of operator symbols the lexer accepts.
struct OperatorTableEntry {
    int type;
    std::string_view symbol;
    int unary;
    int precedence;
};

// Type codes of the table; the operator classes use the same numbers.
namespace operator_type {
inline constexpr int kEnd = 0;
inline constexpr int kPlus = 1;
inline constexpr int kMinus = 2;
inline constexpr int kDivide = 7;
inline constexpr int kMultiply = 8;
inline constexpr int kModulus = 9;
inline constexpr int kEqualTo = 11;
inline constexpr int kGreaterEqual = 12;
inline constexpr int kLessEqual = 13;
inline constexpr int kLessThan = 14;
inline constexpr int kGreaterThan = 15;
inline constexpr int kNotEqual = 16;
inline constexpr int kLogicalNot = 17;
inline constexpr int kLogicalAnd = 20;
inline constexpr int kLogicalOr = 21;
inline constexpr int kPower = 30;
inline constexpr int kArrow = 39;
}  // namespace operator_type

// Precedence a minus takes once it turns out to have a left operand.
inline constexpr int kBinaryMinusPrecedence = 6;
// Precedence levels run from 1 (tightest) to this.
inline constexpr int kLowestPrecedence = 16;

// A smaller precedence binds tighter. A search takes the first match and stops at the
// row whose type is kEnd.
inline constexpr std::array<OperatorTableEntry, 24> kOperatorTable{{
    {39, "->", 0, 1},  {2, "-", 1, 2},   {17, "!", 1, 2},   {17, "not", 1, 2}, {30, "^^", 0, 4},
    {8, "*", 0, 5},    {7, "/", 0, 5},   {9, "%", 0, 5},    {1, "+", 0, 6},    {14, "<", 0, 8},
    {15, ">", 0, 8},   {13, "<=", 0, 8}, {12, ">=", 0, 8},  {11, "==", 0, 9},  {11, "=", 0, 9},
    {16, "!=", 0, 9},  {16, "<>", 0, 9}, {20, "&&", 0, 13}, {20, "&", 0, 13},  {20, "and", 0, 13},
    {21, "||", 0, 14}, {21, "|", 0, 14}, {21, "or", 0, 14}, {0, " ", -1, -1},
}};

// The first row whose symbol equals the text case-insensitively, or null.
const OperatorTableEntry* FindOperator(std::string_view symbol);

}  // namespace tw
