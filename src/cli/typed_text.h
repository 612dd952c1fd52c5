#pragma once

// What the player types is read as UTF-8, whatever the terminal sends: the dialogue
// gets Windows-1252 bytes and the transcript gets UTF-8, for any bytes at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw::cli {

// The typed text as the dialogue's bytes. A character with no Windows-1252 byte becomes
// '?', as in the editor's text boxes; a byte that starts no UTF-8 character (text from
// a Latin-1 or Windows-1252 terminal) is taken as the Windows-1252 byte it is.
std::string TypedToWindows1252(std::string_view typed);

// The typed text as the transcript shows it: UTF-8 as it is, and every byte that starts
// no UTF-8 character as its Windows-1252 character, so the transcript stays UTF-8 and
// shows what the dialogue got.
std::string TypedToUtf8(std::string_view typed);

// The value of a typed whole number ("7", "007", "+7") when it lies from 1 to max;
// nothing for any other number, however long ("0", "-1", "99999999999").
std::optional<std::size_t> OrdinalUpTo(std::string_view number, std::size_t max);
// An optional sign and at least one decimal digit, nothing else.
bool IsWholeNumber(std::string_view word);

}  // namespace tw::cli
