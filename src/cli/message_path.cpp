#include "cli/message_path.h"

#include <algorithm>

namespace tw::cli {
namespace {

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

void AppendEscaped(std::string& out, char c) {
    static constexpr char kHex[] = "0123456789abcdef";
    switch (c) {
        case '\n':
            out += "\\n";
            return;
        case '\t':
            out += "\\t";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\\':
        case '"':
            out += '\\';
            out += c;
            return;
        default:
            break;
    }
    if (IsControl(c)) {
        const auto byte = static_cast<unsigned char>(c);
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    } else {
        out += c;
    }
}

}  // namespace

std::string MessagePath(std::string_view path) {
    if (std::none_of(path.begin(), path.end(), IsControl)) {
        return std::string(path);
    }
    std::string quoted = "\"";
    for (const char c : path) {
        AppendEscaped(quoted, c);
    }
    return quoted + '"';
}

}  // namespace tw::cli
