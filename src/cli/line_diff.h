#pragma once

// The differences between two texts as a unified diff, line by line, as `diff -u` shows
// them; for showing how a transcript differs from the one expected.

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::cli {

// "--- before" and "+++ after" headers, then hunks of changed lines with context lines
// around them; empty when the texts are equal. A last line without a line end is marked
// "\ No newline at end of file". The edit script is a shortest one (Myers) while it takes
// at most a bounded amount of work; past that the middle between the common head and
// tail is shown as removed and added whole, so time and memory stay bounded for any texts.
std::string UnifiedDiff(std::string_view before, std::string_view after,
                        std::string_view beforeName, std::string_view afterName,
                        std::size_t context = 3);

}  // namespace tw::cli
