#include "export/crlf_block_writer.h"

#include <fcntl.h>

#include <cerrno>

#include "base/file_write.h"
#include "model/file.h"

namespace tw {

CrLfBlockWriter::CrLfBlockWriter(int fd)
    : fd_(fd),
      block_(std::make_unique_for_overwrite<char[]>(kBlockBytes)),
      cursor_(block_.get()),
      limit_(block_.get() + kBlockBytes) {}

void CrLfBlockWriter::PutLines(std::string_view text) {
    while (!text.empty()) {
        const void* found = std::memchr(text.data(), '\n', text.size());
        if (found == nullptr) {
            PutRaw(text);
            break;
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        PutRaw(text.substr(0, length));
        PutLineEnd();
        text.remove_prefix(length + 1);
    }
}

void CrLfBlockWriter::Put(char c) {
    if (c == '\n') {
        PutLineEnd();
    } else {
        PutRaw(std::string_view(&c, 1));
    }
}

bool CrLfBlockWriter::Finish() {
    Flush();
    errno = error_;
    return error_ == 0;
}

// Fills the block to its end before it is written, so every write but the last is a whole
// block.
void CrLfBlockWriter::PutAcrossBlocks(std::string_view bytes) {
    while (bytes.size() > Room()) {
        const std::size_t part = Room();
        std::memcpy(cursor_, bytes.data(), part);
        cursor_ += part;
        bytes.remove_prefix(part);
        Flush();
    }
    std::memcpy(cursor_, bytes.data(), bytes.size());
    cursor_ += bytes.size();
}

void CrLfBlockWriter::Flush() {
    const std::string_view bytes(block_.get(), static_cast<std::size_t>(cursor_ - block_.get()));
    if (error_ == 0 && !WriteAll(fd_, bytes)) {
        error_ = errno != 0 ? errno : EIO;
    }
    if (error_ == 0) {
        StartWriteback(bytes.size());
    }
    cursor_ = block_.get();
}

// The file is synced once it is complete; sending each block to the disk as soon as it is
// written lets that sync find most of the file there already, while the rest is still being
// made. Where the system can't do this, the sync does it all.
void CrLfBlockWriter::StartWriteback(std::size_t bytes) {
#if defined(SYNC_FILE_RANGE_WRITE)
    const int saved = errno;
    ::sync_file_range(fd_, static_cast<off_t>(written_), static_cast<off_t>(bytes),
                      SYNC_FILE_RANGE_WRITE);
    errno = saved;
#endif
    written_ += bytes;
}

}  // namespace tw
