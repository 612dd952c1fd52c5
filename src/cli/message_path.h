#pragma once

// A path as it stands at the head of a "PATH: MESSAGE" line.

#include <string>
#include <string_view>

namespace tw::cli {

// The path as it is, unless it holds a control character (a line break would split the
// message in two): then in double quotes with C escapes (\n, \t, \r, \\, \", \xHH), so one
// message stays one line.
std::string MessagePath(std::string_view path);

}  // namespace tw::cli
