#include "export/export_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "model/file.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

// The file that will be replaced: the target of a symbolic link, so the link survives.
std::string ResolveTarget(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        const fs::path target = fs::weakly_canonical(path, error);
        if (!error) {
            return target.string();
        }
    }
    return path;
}

// An existing file keeps its permissions; a new one gets the usual ones.
mode_t NewFileMode(const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        return old.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string WriteFailure(const std::string& path, int error) {
    return "Unable to write output file " + path + ": " + std::strerror(error);
}

// Fills the temporary file and puts it in place; the errno of the failing step on failure.
int FillAndRename(int fd, const std::string& temp, const std::string& target,
                  std::string_view bytes) {
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        return written ? errno : writeError;
    }
    return std::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
}

}  // namespace

std::optional<std::string> WriteExportFile(const std::string& path, std::string_view text) {
    const std::string target = ResolveTarget(path);
    std::error_code error;
    if (fs::is_directory(target, error)) {
        return std::string(kUnableToCreateOutputFile);
    }
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return std::string(kUnableToCreateOutputFile);
    }
    ::fchmod(fd, NewFileMode(target));
    if (const int failure = FillAndRename(fd, temp, target, ToCrLf(text)); failure != 0) {
        std::remove(temp.c_str());
        return WriteFailure(path, failure);
    }
    SyncDirectoryOf(target);
    return std::nullopt;
}

}  // namespace tw
