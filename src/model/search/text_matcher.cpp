#include "model/search/text_matcher.h"

namespace tw {

namespace {

bool IsUpperLatin1(unsigned char byte) {
    return byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;
}

}  // namespace

unsigned char FoldCase(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || IsUpperLatin1(byte)) {
        return static_cast<unsigned char>(byte + 0x20);
    }
    // The code page's three upper-case letters outside the Latin-1 block.
    switch (byte) {
        case 0x8A:
            return 0x9A;  // S caron
        case 0x8C:
            return 0x9C;  // OE
        case 0x8E:
            return 0x9E;  // Z caron
        case 0x9F:
            return 0xFF;  // Y diaeresis
        default:
            return byte;
    }
}

bool IsWordByte(unsigned char byte) {
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9') || byte == '_') {
        return true;
    }
    const bool letterBlock = byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
    return letterBlock || byte == 0x8A || byte == 0x8C || byte == 0x8E || byte == 0x9A ||
           byte == 0x9C || byte == 0x9E || byte == 0x9F;
}

TextMatcher::TextMatcher(std::string_view pattern, bool matchCase, bool wholeWord)
    : pattern_(pattern), matchCase_(matchCase), wholeWord_(wholeWord) {
    if (!matchCase_) {
        for (char& c : pattern_) {
            c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
        }
    }
}

std::size_t TextMatcher::Find(std::string_view text, std::size_t from) const {
    if (pattern_.empty() || text.size() < pattern_.size()) {
        return std::string_view::npos;
    }
    for (std::size_t at = from; at + pattern_.size() <= text.size(); ++at) {
        if (MatchesAt(text, at) && (!wholeWord_ || IsWholeWordAt(text, at))) {
            return at;
        }
    }
    return std::string_view::npos;
}

bool TextMatcher::MatchesAt(std::string_view text, std::size_t at) const {
    for (std::size_t i = 0; i < pattern_.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[at + i]);
        if (!matchCase_) {
            byte = FoldCase(byte);
        }
        if (byte != static_cast<unsigned char>(pattern_[i])) {
            return false;
        }
    }
    return true;
}

bool TextMatcher::IsWholeWordAt(std::string_view text, std::size_t at) const {
    const std::size_t end = at + pattern_.size();
    const bool startsWord = at == 0 || !IsWordByte(static_cast<unsigned char>(text[at - 1]));
    const bool endsWord = end == text.size() || !IsWordByte(static_cast<unsigned char>(text[end]));
    return startsWord && endsWord;
}

}  // namespace tw
