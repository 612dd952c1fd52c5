#include "script/operator_table.h"

#include "script/byte_string.h"

namespace tw {

const OperatorTableEntry* FindOperator(std::string_view symbol) {
    for (const OperatorTableEntry& entry : kOperatorTable) {
        if (entry.type == operator_type::kEnd) {
            break;
        }
        if (EqualsNoCase(entry.symbol, symbol)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace tw
