#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "script/environment.h"
#include "script/value.h"

namespace tw {

// The text of a value in a state file: its ToString, with a string quoted so that the
// line reads back as the same string.
std::string StateValueText(const Value& value);

// One state-file line without its line end: "$name = value" for a variable,
// "set name = value" for a flag.
std::string StateEntryLine(std::string_view name, const Value& value);

// The whole environment in name order, one entry per line, each ended by "\n".
std::string WriteStateText(const Environment& environment);

// Parses, checks and executes one statement against the environment. A line without
// tokens succeeds and control transfers (goto, end, ...) are ignored. On failure answers
// false with `error` = prefix + line + ": " + message.
bool ExecuteLine(Environment& environment, std::string_view line, std::string_view prefix,
                 std::string& error);

// At most this many errors of one load or apply are listed, so a file of failing lines costs
// no more memory than its own size; the rest are counted on a last line "... and N more".
inline constexpr std::size_t kMaxListedStateErrors = 1000;

// The errors of one load or apply: the first kMaxListedStateErrors kept, the rest counted.
class StateErrorList {
public:
    void Add(std::string error);
    bool IsEmpty() const { return listed_.empty(); }
    // The errors kept, and "... and N more" when some were only counted.
    std::vector<std::string> Take();

private:
    std::vector<std::string> listed_;
    std::size_t more_ = 0;
};

// Whether a state-file error quotes the failing line before the message.
enum class StateErrorForm { kLineAndMessage, kMessageOnly };

// Executes every trimmed non-blank line of a state file. Lines are counted from 1, blank
// ones included; each failing line gives linePrefix + number + ": " + line + ": " +
// message, or linePrefix + number + ": " + message with kMessageOnly (at most
// kMaxListedStateErrors of them, then "... and N more"). Lines that work stay applied.
std::vector<std::string> LoadStateText(Environment& environment, std::string_view text,
                                       std::string_view linePrefix = "Error on line ",
                                       StateErrorForm form = StateErrorForm::kLineAndMessage);

}  // namespace tw
