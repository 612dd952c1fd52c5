#pragma once

// Writing an export file: CR LF line ends on every platform, and a file that is either the
// whole new export or whatever was there before, never half of one.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

inline constexpr std::string_view kUnableToCreateOutputFile = "Unable to create output file";

// Writes text to path, each LF stored as CR LF. The bytes go to a new file beside the
// target, which is synced and then renamed over it; a symbolic link at path is kept and its
// target replaced. Returns kUnableToCreateOutputFile when no file can be created there (a
// missing or read-only directory, a directory at path), or a message naming the path when a
// write fails; the target is then untouched and no temporary file is left behind.
std::optional<std::string> WriteExportFile(const std::string& path, std::string_view text);

class CrLfBlockWriter;

// The same, with the text handed to writer by produce as it is made, in blocks.
std::optional<std::string> WriteExportFile(const std::string& path,
                                           const std::function<void(CrLfBlockWriter&)>& produce);

}  // namespace tw
