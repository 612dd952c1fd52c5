#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

RegularFileOpen OpenRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    if (known && S_ISREG(status.st_mode)) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return {RegularFileOpen::kOpened, fd};
    }
    ::close(fd);
    const bool directory = !known || S_ISDIR(status.st_mode);
    return {directory ? RegularFileOpen::kUnableToOpen : RegularFileOpen::kNotRegular, -1};
}

std::string NotRegularFileMessage(std::string_view kind) {
    std::string message = "This is a device or a pipe, not a regular file, so it was not read";
    if (!kind.empty()) {
        message += " as " + std::string(kind);
    }
    return message + ".";
}

}  // namespace tw
