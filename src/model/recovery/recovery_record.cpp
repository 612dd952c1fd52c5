#include "model/recovery/recovery_record.h"

#include <algorithm>
#include <charconv>

namespace tw {
namespace {

constexpr std::string_view kFirstLine = "talkwright-recovery 1";

std::string Escaped(std::string_view value) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string out;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The value with its escapes undone; nothing when an escape is broken.
std::optional<std::string> Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        const char kind = i + 1 < text.size() ? text[++i] : '\0';
        if (kind == '\\' || kind == 'n' || kind == 'r') {
            out += kind == 'n' ? '\n' : kind == 'r' ? '\r' : '\\';
        } else if (kind == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
                   HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::optional<std::int64_t> ParseTime(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

class RecordReader {
public:
    RecoveryRecordRead Read(std::string_view text) {
        if (text.size() > kMaxRecoveryRecordBytes) {
            return Fail("it is larger than a record can be");
        }
        for (std::size_t at = 0; at < text.size(); ++number_) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            if (!TakeLine(text.substr(at, end - at))) {
                return result_;
            }
            at = end + 1;
        }
        if (!seenFirst_ || !seenNpc_ || !seenSaved_) {
            return Fail(std::string("it has no ") + (!seenFirst_ ? "first line"
                                                     : !seenNpc_ ? "npc line"
                                                                 : "saved line"));
        }
        result_.record = record_;
        return result_;
    }

private:
    RecoveryRecordRead Fail(std::string message) {
        result_.record.reset();
        result_.error = std::move(message);
        return result_;
    }
    bool FailAtLine(const std::string& message) {
        Fail("line " + std::to_string(number_) + ": " + message);
        return false;
    }

    // line -> "talkwright-recovery 1" (first) | KEY ": " VALUE
    bool TakeLine(std::string_view line) {
        if (!seenFirst_) {
            seenFirst_ = line == kFirstLine;
            return seenFirst_ || FailAtLine("this is no recovery record");
        }
        const std::size_t colon = line.find(": ");
        if (colon == std::string_view::npos) {
            return FailAtLine("a line is \"KEY: VALUE\"");
        }
        const std::string_view key = line.substr(0, colon);
        const std::optional<std::string> value = Unescaped(line.substr(colon + 2));
        if (!value) {
            return FailAtLine("a broken escape");
        }
        return Take(key, *value);
    }

    bool Take(std::string_view key, const std::string& value) {
        bool* seen = key == "path"    ? &seenPath_
                     : key == "npc"   ? &seenNpc_
                     : key == "saved" ? &seenSaved_
                                      : nullptr;
        if (seen == nullptr) {
            return FailAtLine("unknown key '" + Escaped(key.substr(0, 40)) + "'");
        }
        if (*seen) {
            return FailAtLine(std::string(key) + " is given twice");
        }
        *seen = true;
        if (key == "path") {
            record_.originalPath = value;
        } else if (key == "npc") {
            record_.npcName = value;
        } else if (const std::optional<std::int64_t> time = ParseTime(value)) {
            record_.savedAt = *time;
        } else {
            return FailAtLine("the time is no number");
        }
        return true;
    }

    RecoveryRecord record_;
    RecoveryRecordRead result_;
    std::size_t number_ = 1;
    bool seenFirst_ = false;
    bool seenPath_ = false;
    bool seenNpc_ = false;
    bool seenSaved_ = false;
};

}  // namespace

std::string WriteRecoveryRecord(const RecoveryRecord& record) {
    std::string text = std::string(kFirstLine) + "\n";
    if (record.originalPath) {
        text += "path: " + Escaped(*record.originalPath) + "\n";
    }
    text += "npc: " + Escaped(record.npcName) + "\n";
    text += "saved: " + std::to_string(record.savedAt) + "\n";
    return text;
}

RecoveryRecordRead ReadRecoveryRecord(std::string_view text) {
    return RecordReader().Read(text);
}

}  // namespace tw
