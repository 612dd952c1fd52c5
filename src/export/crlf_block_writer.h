#pragma once

// Text bound for a file descriptor, stored with CR LF line ends and written in blocks as it
// is produced, so a large export never sits in memory whole and each byte is touched while
// it is still in the cache.

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

class CrLfBlockWriter {
public:
    // Small enough to stay in a core's cache, large enough that a write costs little.
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    explicit CrLfBlockWriter(int fd);

    // Appends text, each LF as CR LF; a full block goes to the file.
    void Put(std::string_view text);
    void Put(char c);
    // Writes what is left; false with errno set when any write failed. After a failure
    // nothing more is written.
    bool Finish();

private:
    void FlushIfFull();
    void Flush();

    int fd_;
    std::string block_;
    int error_ = 0;
};

}  // namespace tw
