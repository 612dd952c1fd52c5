#include "model/conditional.h"

#include "model/byte_codec.h"

namespace tw {

void WriteOptionalCondition(ByteWriter& out, const Conditional* condition) {
    out.WriteFlag(condition != nullptr);
    if (condition != nullptr) {
        out.WriteString(condition->GetExpression());
    }
}

std::unique_ptr<Conditional> ReadOptionalCondition(ByteReader& in) {
    if (!in.ReadFlag()) {
        return nullptr;
    }
    return std::make_unique<Conditional>(in.ReadString());
}

}  // namespace tw
