#include "model/file_fingerprint.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string_view>
#include <vector>

#include "base/regular_file.h"

namespace tw {
namespace {

// The hash is only ever compared within one run of the editor, so the standard library's
// (fast, and not byte-at-a-time) hash will do. The chunks are always full but the last, so
// the same bytes give the same hash however the reads return.
constexpr std::size_t kHashChunk = std::size_t{1} << 20;
constexpr std::uint64_t kHashMix = 0x100000001b3ULL;

FileStamp StampOf(const struct stat& status) {
    const std::int64_t seconds = status.st_mtim.tv_sec;
    return {static_cast<std::uint64_t>(status.st_size),
            seconds * 1'000'000'000 + status.st_mtim.tv_nsec};
}

// Fills the buffer as far as the file goes; false when a read fails.
bool ReadChunk(int fd, std::vector<char>& buffer, std::size_t& filled) {
    filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

std::optional<std::uint64_t> HashOfDescriptor(int fd) {
    std::vector<char> buffer(kHashChunk);
    std::uint64_t hash = 0;
    std::size_t filled = 0;
    do {
        if (!ReadChunk(fd, buffer, filled)) {
            return std::nullopt;
        }
        hash = (hash ^ std::hash<std::string_view>{}({buffer.data(), filled})) * kHashMix;
    } while (filled == buffer.size());
    return hash;
}

// Runs take on the open file, which it may read.
template <typename Result, typename Take>
std::optional<Result> WithOpenFile(const std::string& path, Take take) {
    const RegularFileOpen file = OpenRegularFile(path);
    if (file.status != RegularFileOpen::kOpened) {
        return std::nullopt;
    }
    std::optional<Result> result = take(file.fd);
    ::close(file.fd);
    return result;
}

}  // namespace

std::optional<FileStamp> StampOfFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return StampOf(status);
}

std::optional<std::uint64_t> HashOfFile(const std::string& path) {
    return WithOpenFile<std::uint64_t>(path, HashOfDescriptor);
}

std::optional<FileFingerprint> FingerprintOfFile(const std::string& path) {
    return WithOpenFile<FileFingerprint>(path, [](int fd) -> std::optional<FileFingerprint> {
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            return std::nullopt;
        }
        const std::optional<std::uint64_t> hash = HashOfDescriptor(fd);
        if (!hash) {
            return std::nullopt;
        }
        return FileFingerprint{StampOf(status), *hash};
    });
}

DiskChange CompareWithFile(const FileFingerprint& known, const FileStamp& now,
                           const std::function<std::optional<std::uint64_t>()>& hashNow) {
    if (now.size != known.stamp.size) {
        return DiskChange::kChanged;
    }
    if (now.modifiedNs == known.stamp.modifiedNs) {
        return DiskChange::kSame;
    }
    const std::optional<std::uint64_t> hash = hashNow();
    return hash && *hash == known.hash ? DiskChange::kTouched : DiskChange::kChanged;
}

}  // namespace tw
