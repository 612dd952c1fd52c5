#include "model/json_text_printer.h"

#include <charconv>
#include <stdexcept>

#include "model/json_string_text.h"

namespace tw {

void JsonTextPrinter::Open(char bracket) {
    if (depth_ == filled_.size()) {
        throw std::logic_error("JSON nested deeper than the printer holds");
    }
    out_ += bracket;
    filled_[depth_++] = false;
}

void JsonTextPrinter::Close(char bracket) {
    if (filled_[--depth_]) {
        out_ += '\n';
        out_.append(2 * depth_, ' ');
    }
    out_ += bracket;
}

void JsonTextPrinter::NextLine() {
    bool& filled = filled_[depth_ - 1];
    out_ += filled ? ",\n" : "\n";
    filled = true;
    out_.append(2 * depth_, ' ');
}

void JsonTextPrinter::Key(std::string_view key) {
    NextLine();
    out_ += '"';
    out_ += key;
    out_ += "\": ";
}

void JsonTextPrinter::String(std::string_view windows1252) {
    AppendJsonString(out_, windows1252);
}

void JsonTextPrinter::Int(std::int32_t value) {
    std::array<char, 12> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    out_.append(digits.data(), end);
}

}  // namespace tw
