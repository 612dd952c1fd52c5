#include "script/operator_table.h"

#include <gtest/gtest.h>

#include <string>

#include "base/byte_string.h"

namespace tw {
namespace {

// The search as the table reads: the first row, in table order, up to the end row.
const OperatorTableEntry* WalkTable(std::string_view symbol) {
    for (const OperatorTableEntry& entry : kOperatorTable) {
        if (entry.type == operator_type::kEnd) {
            return nullptr;
        }
        if (EqualsNoCase(entry.symbol, symbol)) {
            return &entry;
        }
    }
    return nullptr;
}

// The search by first character finds the row a walk of the whole table finds, for every
// text of up to three characters drawn from the operator characters and the letters of
// the word operators, in either case.
TEST(OperatorTableTest, SearchByFirstCharacterMatchesAWalkOfTheTable) {
    const std::string alphabet = "-!^*/%+<>=&|.#$'\"nNoOtTaAdDrRxX \x80\xE9";
    std::vector<std::string> texts = {""};
    for (std::size_t length = 1; length <= 3; ++length) {
        const std::size_t before = texts.size();
        for (std::size_t i = 0; i < before; ++i) {
            if (texts[i].size() + 1 != length) {
                continue;
            }
            for (char c : alphabet) {
                texts.push_back(texts[i] + c);
            }
        }
    }
    int found = 0;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const OperatorTableEntry* expected = WalkTable(text);
        EXPECT_EQ(FindOperator(text), expected);
        found += expected != nullptr ? 1 : 0;
    }
    // Each of the 20 symbols of signs once, and every way of writing "not" (8), "and" (8)
    // and "or" (4) in upper and lower case.
    EXPECT_EQ(found, 20 + 8 + 8 + 4);
}

}  // namespace
}  // namespace tw
