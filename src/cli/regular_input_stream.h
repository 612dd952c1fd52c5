#pragma once

#include <fstream>
#include <string>

#include "base/regular_file.h"

namespace tw::cli {

// Opens stream on the file at path when it is a regular file, never waiting on a FIFO or a
// device there (see OpenRegularFile); the stream stays closed otherwise.
RegularFileOpen::Status OpenRegularInput(const std::string& path, std::ifstream& stream);

}  // namespace tw::cli
