#include "cli/recording.h"

#include "base/byte_string.h"
#include "cli/play_run.h"
#include "script/excerpt.h"

namespace tw::cli {
namespace {

constexpr std::string_view kHeaderMark = "#!";

std::string AtLine(std::size_t number, const std::string& message) {
    return "line " + std::to_string(number) + ": " + message;
}

// headerline -> "#!" KEY ":" VALUE, white space around KEY and VALUE ignored
std::optional<std::string> TakeHeader(std::string_view line, std::size_t number,
                                      Recording& recording, bool (&given)[4]) {
    const std::string_view body = line.substr(kHeaderMark.size());
    const std::size_t colon = body.find(':');
    const std::string key = colon == std::string_view::npos ? "" : Trim(body.substr(0, colon));
    if (key.empty()) {
        return AtLine(number, "a header line is \"#! KEY: VALUE\"");
    }
    const std::string value = Trim(body.substr(colon + 1));
    static constexpr std::string_view kKeys[] = {"dialogue", "seed", "start", "state"};
    std::size_t which = 0;
    while (which < 4 && kKeys[which] != key) {
        ++which;
    }
    if (which == 4) {
        return AtLine(number, "unknown header '" + Excerpt(key) + "'");
    }
    if (given[which]) {
        return AtLine(number, key + " is given twice");
    }
    given[which] = true;
    if (value.empty()) {
        return AtLine(number, key + " has no value");
    }
    if (which == 0) {
        recording.dialogue = value;
    } else if (which == 1) {
        const std::optional<std::uint32_t> seed = ParseSeed(value);
        if (!seed) {
            return AtLine(number, "bad seed '" + Excerpt(value) + "'");
        }
        recording.seed = *seed;
    } else {
        (which == 2 ? recording.start : recording.state) = value;
    }
    return std::nullopt;
}

}  // namespace

RecordingHeader ReadRecordingHeader(std::string_view text, std::uint64_t maxLineBytes) {
    RecordingHeader header;
    bool given[4] = {};
    std::size_t number = 0;
    for (std::size_t at = 0; at < text.size();) {
        ++number;
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() > maxLineBytes) {
            header.error = AtLine(number, "longer than " + ByteLimitText(maxLineBytes));
            return header;
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view shown =
            line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
        if (shown.starts_with(kHeaderMark)) {
            header.error = TakeHeader(shown, number, header.recording, given);
            if (header.error) {
                return header;
            }
        }
    }
    if (!given[0]) {
        header.error = "no \"#! dialogue: FILE\" line";
    }
    return header;
}

}  // namespace tw::cli
