#include "script/operator_table.h"

#include <cstdint>

#include "base/byte_string.h"

namespace tw {
namespace {

// Most rows sharing a first character ("<", "<=", "<>").
constexpr std::size_t kMaxRowsPerFirstChar = 3;

// Rows of the table by the lower-case first byte of their symbol, each list in table order
// and ended by -1, so that a search reads at most three rows.
using FirstCharIndex = std::array<std::array<std::int8_t, kMaxRowsPerFirstChar + 1>, 256>;

constexpr FirstCharIndex MakeFirstCharIndex() {
    FirstCharIndex index{};
    for (auto& rows : index) {
        rows.fill(-1);
    }
    for (std::size_t row = 0; row < kOperatorTable.size(); ++row) {
        const OperatorTableEntry& entry = kOperatorTable[row];
        if (entry.type == operator_type::kEnd) {
            break;
        }
        auto& rows = index[static_cast<unsigned char>(ToLowerAscii(entry.symbol.front()))];
        std::size_t used = 0;
        while (rows[used] >= 0) {
            ++used;
        }
        // Fails to compile when a first character gets more rows than there is room for.
        if (used >= kMaxRowsPerFirstChar) {
            throw "too many operators share a first character";
        }
        rows[used] = static_cast<std::int8_t>(row);
    }
    return index;
}

constexpr FirstCharIndex kFirstCharIndex = MakeFirstCharIndex();

}  // namespace

const OperatorTableEntry* FindOperator(std::string_view symbol) {
    if (symbol.empty()) {
        return nullptr;
    }
    const auto& rows = kFirstCharIndex[static_cast<unsigned char>(ToLowerAscii(symbol.front()))];
    for (std::size_t i = 0; rows[i] >= 0; ++i) {
        const OperatorTableEntry& entry = kOperatorTable[static_cast<std::size_t>(rows[i])];
        if (entry.symbol.size() == symbol.size() && EqualsNoCase(entry.symbol, symbol)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace tw
