#include "cli/shown_path.h"

#include <algorithm>

namespace tw::cli {
namespace {

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

void AppendEscaped(std::string& out, char c) {
    constexpr std::string_view kHex = "0123456789abcdef";
    switch (c) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        case '"':
        case '\\':
            out += '\\';
            out += c;
            return;
        default:
            break;
    }
    if (!IsControl(c)) {
        out += c;
        return;
    }
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

}  // namespace

std::string ShownPath(std::string_view path) {
    if (std::none_of(path.begin(), path.end(), IsControl)) {
        return std::string(path);
    }
    std::string shown = "\"";
    for (char c : path) {
        AppendEscaped(shown, c);
    }
    return shown + "\"";
}

std::string WithShownPaths(std::string message, std::initializer_list<std::string_view> paths) {
    for (std::string_view path : paths) {
        const std::string shown = ShownPath(path);
        if (path.empty() || shown == path) {
            continue;
        }
        for (std::size_t at = message.find(path); at != std::string::npos;
             at = message.find(path, at + shown.size())) {
            message.replace(at, path.size(), shown);
        }
    }
    return message;
}

}  // namespace tw::cli
