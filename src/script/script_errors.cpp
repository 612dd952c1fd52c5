#include "script/script_errors.h"

namespace tw {

ControlFlowException::ControlFlowException(int kind, std::string firstText) : kind_(kind) {
    texts_[0] = std::move(firstText);
}

std::string ControlFlowException::GetText(std::size_t index) const {
    return index < kTextCount ? texts_[index] : std::string();
}

void ControlFlowException::SetText(std::size_t index, std::string text) {
    if (index < kTextCount) {
        texts_[index] = std::move(text);
    }
}

}  // namespace tw
