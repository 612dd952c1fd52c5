#pragma once

// How the command-line tool names a file in its messages. Every message is one line, read
// by people and by scripts as "PATH: MESSAGE", so a path holding a line end or another
// control character is written quoted, with that character escaped.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tw::cli {

// The path as it is when it holds no control character; otherwise in double quotes, with
// \n, \r, \t, \", \\ and \xHH for the other control bytes: "dir/a\nb.vrx".
std::string ShownPath(std::string_view path);

// A message from the core that names paths: each path in it that needs quoting replaced by
// its shown form, so the message stays on its own lines.
std::string WithShownPaths(std::string message, std::initializer_list<std::string_view> paths);

}  // namespace tw::cli
