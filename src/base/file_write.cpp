#include "base/file_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "base/file_replace.h"

namespace tw {
namespace {

// Every write of WriteAll goes through here, so tests can make writes fail part-way.
WriteCall writeCall = &::write;

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = writeCall(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SyncDirectoryOf(const std::string& path) {
    std::string dir = std::filesystem::path(path).parent_path().string();
    if (dir.empty()) {
        dir = ".";
    }
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::optional<std::string> ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    return ReplaceFileAtomically(path, [bytes](int fd) { return WriteAll(fd, bytes); });
}

std::optional<std::string> ReplaceFileAtomically(const std::string& path,
                                                 const std::function<bool(int fd)>& write) {
    const std::optional<ReplaceFailure> failure = ReplaceFileContents(path, write);
    if (!failure) {
        return std::nullopt;
    }
    const std::string reason = std::strerror(failure->error);
    if (failure->step == ReplaceFailure::kCreate) {
        return "Unable to create file " + path + " (" + reason + ").";
    }
    return "Unable to write file " + path + " (" + reason + ").\nThe file was not changed.";
}

WriteCall SetWriteCallForTesting(WriteCall call) {
    return std::exchange(writeCall, call != nullptr ? call : &::write);
}

}  // namespace tw
