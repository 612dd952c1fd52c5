#pragma once

// Text bound for a file descriptor, stored with CR LF line ends and written in blocks as it
// is produced, so a large export never sits in memory whole and each byte is touched while
// it is still in the cache.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace tw {

class CrLfBlockWriter {
public:
    // Small enough to stay in a core's cache, large enough that a write costs little.
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    explicit CrLfBlockWriter(int fd);

    // Appends text, each LF as CR LF; a full block goes to the file.
    void Put(std::string_view text) {
        if (HoldsLineFeed(text)) {
            PutLines(text);
        } else {
            PutRaw(text);
        }
    }
    void Put(char c);
    // Appends bytes the caller knows hold no LF, such as the script's own punctuation,
    // without looking for one.
    void PutRaw(std::string_view bytes) {
        if (bytes.size() <= Room()) {
            std::memcpy(cursor_, bytes.data(), bytes.size());
            cursor_ += bytes.size();
        } else {
            PutAcrossBlocks(bytes);
        }
    }
    // Appends one line end.
    void PutLineEnd() { PutRaw(std::string_view("\r\n", 2)); }
    // Writes what is left; false with errno set when any write failed. After a failure
    // nothing more is written.
    bool Finish();

private:
    // Most pieces are names and tags of a few bytes, for which a call to memchr costs more
    // than the look itself.
    static bool HoldsLineFeed(std::string_view text) {
        if (text.size() > 32) {
            return std::memchr(text.data(), '\n', text.size()) != nullptr;
        }
        bool found = false;
        for (char c : text) {
            found |= c == '\n';
        }
        return found;
    }
    void PutLines(std::string_view text);
    std::size_t Room() const { return static_cast<std::size_t>(limit_ - cursor_); }
    void PutAcrossBlocks(std::string_view bytes);
    void Flush();
    void StartWriteback(std::size_t bytes);

    int fd_;
    std::size_t written_ = 0;
    std::unique_ptr<char[]> block_;
    char* cursor_;
    char* limit_;
    int error_ = 0;
};

}  // namespace tw
