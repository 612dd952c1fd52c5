#include "model/text/text_variables.h"

#include "base/byte_string.h"

namespace tw {
namespace {

bool IsNameChar(char c) {
    return IsAlnum(c) || c == '_';
}

}  // namespace

std::optional<TextVariableSpan> NextTextVariable(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (text[i] != '$' || !IsNameChar(text[i + 1])) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && IsNameChar(text[end])) {
            ++end;
        }
        return TextVariableSpan{i, end - i};
    }
    return std::nullopt;
}

}  // namespace tw
