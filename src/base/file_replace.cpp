#include "base/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "base/file_write.h"
#include "base/writer_temp_names.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

// An open file that will become the target, and whether it has a name yet.
struct PendingFile {
    int fd = -1;
    bool named = false;
};

std::string DirectoryOf(const std::string& path) {
    const std::string dir = fs::path(path).parent_path().string();
    return dir.empty() ? "." : dir;
}

bool unnamedFilesAllowed = true;

// A file with no name until it is complete where the file system allows it, so a kill
// leaves nothing; the temporary name otherwise.
PendingFile OpenPending(const std::string& target, const std::string& temp) {
#ifdef O_TMPFILE
    if (unnamedFilesAllowed) {
        const int anonymous =
            ::open(DirectoryOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (anonymous >= 0) {
            return {anonymous, false};
        }
    }
#endif
    return {::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600), true};
}

mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The owner first, since changing it may clear set-id bits the mode then restores.
void CopyOwnerAndMode(int fd, const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        ::fchmod(fd, DefaultMode());
        return;
    }
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only the owner's group or root may give a file away; the mode still carries over.
    }
    ::fchmod(fd, old.st_mode & 07777);
}

// Gives an unnamed file its temporary name, which rename then moves over the target.
bool NamePending(PendingFile& file, const std::string& temp) {
    if (file.named) {
        return true;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    file.named = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0;
    return file.named;
}

// Writes, syncs, names and closes the file; the errno of the failing step, or 0.
int Complete(PendingFile& file, const std::string& temp, const ContentWriter& write) {
    const bool written = write(file.fd) && ::fsync(file.fd) == 0 && NamePending(file, temp);
    const int error = errno;
    const bool closed = ::close(file.fd) == 0;
    if (!written || !closed) {
        return written ? errno : error;
    }
    return 0;
}

}  // namespace

std::string ReplaceTargetOf(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        const fs::path target = fs::weakly_canonical(path, error);
        if (!error) {
            return target.string();
        }
    }
    return path;
}

std::optional<ReplaceFailure> ReplaceFileContents(const std::string& path, std::string_view bytes) {
    return ReplaceFileContents(path, [bytes](int fd) { return WriteAll(fd, bytes); });
}

std::optional<ReplaceFailure> ReplaceFileContents(const std::string& path,
                                                  const ContentWriter& write) {
    if (path.empty()) {
        return ReplaceFailure{ReplaceFailure::kCreate, ENOENT};
    }
    const std::string target = ReplaceTargetOf(path);
    RemoveLeftoverTempFiles(DirectoryOf(target));
    const std::string temp = UniqueTempPathFor(target);
    PendingFile file = OpenPending(target, temp);
    if (file.fd < 0) {
        return ReplaceFailure{ReplaceFailure::kCreate, errno};
    }
    CopyOwnerAndMode(file.fd, target);
    int error = Complete(file, temp, write);
    if (error == 0 && std::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return ReplaceFailure{ReplaceFailure::kWrite, error};
    }
    SyncDirectoryOf(target);
    return std::nullopt;
}

void SetUnnamedFilesForTesting(bool allowed) {
    unnamedFilesAllowed = allowed;
}

}  // namespace tw
