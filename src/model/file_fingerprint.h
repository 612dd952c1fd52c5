#pragma once

// What the editor remembers of a dialogue's file to tell whether another program changed it:
// its size, its modification time and a hash of its bytes. The time alone would take a touch
// for a change, and the hash alone would mean reading the whole file on every look.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tw {

// What one stat of the file says, without reading it.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the epoch
    bool operator==(const FileStamp&) const = default;
};

struct FileFingerprint {
    FileStamp stamp;
    std::uint64_t hash = 0;
    bool operator==(const FileFingerprint&) const = default;
};

enum class DiskChange {
    kSame,     // size and time as remembered
    kTouched,  // another time, the same bytes: remember the time, nothing more
    kChanged,
};

// Nothing when the path names no regular file that can be examined.
std::optional<FileStamp> StampOfFile(const std::string& path);
std::optional<std::uint64_t> HashOfFile(const std::string& path);
// The stamp and the hash from one opening of the file.
std::optional<FileFingerprint> FingerprintOfFile(const std::string& path);

// The file as it is now (its stamp) against what was remembered. hashNow is called only when
// the sizes agree and the times don't, so a file that plainly changed is never read; a hash
// that can't be had counts as a change.
DiskChange CompareWithFile(const FileFingerprint& known, const FileStamp& now,
                           const std::function<std::optional<std::uint64_t>()>& hashNow);

}  // namespace tw
