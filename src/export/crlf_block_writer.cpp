#include "export/crlf_block_writer.h"

#include <cerrno>
#include <cstring>

#include "model/file.h"

namespace tw {

CrLfBlockWriter::CrLfBlockWriter(int fd) : fd_(fd) {
    block_.reserve(kBlockBytes + kBlockBytes / 8);
}

void CrLfBlockWriter::Put(std::string_view text) {
    while (!text.empty()) {
        const void* found = std::memchr(text.data(), '\n', text.size());
        if (found == nullptr) {
            block_.append(text);
            break;
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        block_.append(text.data(), length);
        block_.append("\r\n", 2);
        text.remove_prefix(length + 1);
    }
    FlushIfFull();
}

void CrLfBlockWriter::Put(char c) {
    if (c == '\n') {
        block_.push_back('\r');
    }
    block_.push_back(c);
    FlushIfFull();
}

bool CrLfBlockWriter::Finish() {
    Flush();
    errno = error_;
    return error_ == 0;
}

void CrLfBlockWriter::FlushIfFull() {
    if (block_.size() >= kBlockBytes) {
        Flush();
    }
}

void CrLfBlockWriter::Flush() {
    if (error_ == 0 && !WriteAll(fd_, block_)) {
        error_ = errno != 0 ? errno : EIO;
    }
    block_.clear();
}

}  // namespace tw
