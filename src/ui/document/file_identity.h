#pragma once

#include <string>

namespace tw {

// True when both paths name the same file on disk (same device and inode), however they
// are written. Paths of files that cannot be examined match only when their text does.
bool IsSameFile(const std::string& first, const std::string& second);

// The path made absolute against the working directory, so that it keeps naming the same
// file after the working directory changes; the path itself when that cannot be done.
std::string AbsolutePath(const std::string& path);

}  // namespace tw
