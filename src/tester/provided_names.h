#pragma once

// The flags and variables a test run provides without the dialogue setting them: the party
// settings' names and the tester's random draws.

#include <string_view>

namespace tw {

// Hand it to the dialogue check as CheckOptions::isProvided.
bool IsProvidedName(std::string_view name);

}  // namespace tw
