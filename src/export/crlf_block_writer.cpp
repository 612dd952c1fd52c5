#include "export/crlf_block_writer.h"

#include <cerrno>

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
    cursor_ = block_.get();
}

}  // namespace tw
