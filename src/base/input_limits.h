#pragma once

// How large the program's inputs may be. Anything larger is refused before it is read, with
// a message that says what was refused and why, so that no input can exhaust memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// A dialogue written by hand is a few hundred kilobytes; 1 GiB holds about two million
// generated nodes and still loads on an ordinary machine.
inline constexpr std::uint64_t kMaxDialogueFileBytes = std::uint64_t{1} << 30;
// A state file is one short line per flag or variable: 1 MiB holds some 50,000 of them. Each
// line costs the tester a compile and an entry (about 500 bytes and 15 microseconds), so this
// keeps a load under a second and a hundred megabytes.
inline constexpr std::uint64_t kMaxStateFileBytes = std::uint64_t{1} << 20;
// A line of a script or of the player's input is one statement or command.
inline constexpr std::uint64_t kMaxInputLineBytes = std::uint64_t{1} << 20;

// "1073741824 bytes (1 GiB)": a limit in bytes, with its binary unit when it has one.
std::string ByteLimitText(std::uint64_t limit);

// "This file is too large for KIND: SIZE bytes, more than the limit of LIMIT." (or "... for
// KIND: more than the limit of LIMIT." when the size is unknown, as for a pipe).
std::string TooLargeMessage(std::string_view kind, std::optional<std::uint64_t> size,
                            std::uint64_t limit);

}  // namespace tw
