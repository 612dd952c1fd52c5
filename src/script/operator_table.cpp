#include "script/operator_table.h"

#include "script/byte_string.h"

namespace tw {

const OperatorTableEntry* FindOperator(std::string_view symbol) {
    for (const OperatorTableEntry& entry : kOperatorTable) {
        if (entry.type == operator_type::kEnd) {
            break;
        }
        // The length test first: it rules out most rows without a call.
        if (entry.symbol.size() == symbol.size() && EqualsNoCase(entry.symbol, symbol)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace tw
