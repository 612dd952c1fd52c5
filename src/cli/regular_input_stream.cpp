#include "cli/regular_input_stream.h"

#include <unistd.h>

namespace tw::cli {

// The stream opens the descriptor's own file through /proc, so what it reads is the regular
// file that was looked at, even if the path has changed since.
RegularFileOpen::Status OpenRegularInput(const std::string& path, std::ifstream& stream) {
    const RegularFileOpen opened = OpenRegularFile(path);
    if (opened.status != RegularFileOpen::kOpened) {
        return opened.status;
    }
    stream.open("/proc/self/fd/" + std::to_string(opened.fd), std::ios::binary);
    ::close(opened.fd);
    return stream.is_open() ? RegularFileOpen::kOpened : RegularFileOpen::kUnableToOpen;
}

}  // namespace tw::cli
