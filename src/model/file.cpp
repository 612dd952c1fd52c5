#include "model/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <utility>

#include "base/file_write.h"

namespace tw {
namespace {

// The C-library mode string for a mode number; empty for a number that opens nothing.
std::string ModeString(bool binary, int mode, bool create) {
    std::string letters;
    switch (mode) {
        case File::kRead:
            letters = "r";
            break;
        case File::kWrite:
            letters = "w";
            break;
        case File::kReadWrite:
            letters = create ? "w" : "r";
            break;
        case 4:
        case 6:
            letters = "a";
            break;
        case 5:
        case 7:
            letters = "a";
            break;
        default:
            return {};
    }
    letters += binary ? "b" : "";  // POSIX streams have no text mode; TextFile does CR LF
    if (mode == File::kReadWrite || mode == 5 || mode == 7) {
        letters += "+";
    }
    return letters;
}

}  // namespace

File::File(const std::string& path, bool binary, int mode, bool create) {
    File::Open(path, binary, mode, create);
}

File::~File() {
    File::Close();
}

bool File::Open(const std::string& path, bool binary, int mode, bool create) {
    Close();
    const std::string letters = ModeString(binary, mode, create);
    if (letters.empty()) {
        return false;
    }
    stream_ = std::fopen(path.c_str(), letters.c_str());
    path_ = stream_ != nullptr ? path : std::string();
    return stream_ != nullptr;
}

RegularFileOpen::Status File::OpenRegularForReading(const std::string& path) {
    Close();
    const RegularFileOpen opened = OpenRegularFile(path);
    if (opened.status != RegularFileOpen::kOpened) {
        return opened.status;
    }
    stream_ = ::fdopen(opened.fd, "rb");
    if (stream_ == nullptr) {
        ::close(opened.fd);
        return RegularFileOpen::kUnableToOpen;
    }
    path_ = path;
    return RegularFileOpen::kOpened;
}

void File::Close() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    path_.clear();
}

bool File::IsEof() const {
    if (stream_ == nullptr) {
        return true;
    }
    const int next = std::fgetc(stream_);
    if (next == EOF) {
        return true;
    }
    std::ungetc(next, stream_);
    return false;
}

std::optional<std::string> File::ReadAll() {
    if (stream_ == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream_)) > 0) {
        bytes.append(buffer, count);
    }
    if (std::ferror(stream_) != 0) {
        return std::nullopt;
    }
    return bytes;
}

File::BoundedBytes File::ReadAtMost(std::uint64_t maxBytes, std::string prefix) {
    BoundedBytes result;
    if (stream_ == nullptr) {
        return result;
    }
    result.bytes = std::move(prefix);
    if (result.bytes.size() > maxBytes) {
        result.status = BoundedBytes::kTooLarge;
        result.bytes.clear();
        return result;
    }
    // One byte past the size the file claims, so a file that grew shows as more to read.
    const std::optional<std::uint64_t> size = RegularFileSize();
    const std::uint64_t expected = size ? std::min(*size, maxBytes) + 1 : 65536;
    return ReadInto(std::move(result.bytes), maxBytes, static_cast<std::size_t>(expected));
}

// Reads straight into the string's spare room, growing it as needed, so the bytes are
// copied once; at most maxBytes in all.
File::BoundedBytes File::ReadInto(std::string bytes, std::uint64_t maxBytes, std::size_t chunk) {
    BoundedBytes result;
    // One byte past the limit is enough to tell a stream that holds too much.
    const std::uint64_t room = maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes;
    std::size_t used = bytes.size();
    for (;;) {
        if (bytes.size() - used < 4096) {
            const std::uint64_t wanted = used + std::max<std::size_t>(chunk, 65536);
            bytes.resize(static_cast<std::size_t>(std::min(wanted, room)));
        }
        const std::size_t count = std::fread(bytes.data() + used, 1, bytes.size() - used, stream_);
        if (count > maxBytes - used) {
            result.status = BoundedBytes::kTooLarge;
            return result;
        }
        used += count;
        if (count == 0 || std::feof(stream_) != 0 || std::ferror(stream_) != 0) {
            break;
        }
        chunk = used;  // doubling keeps a stream of unknown length linear
    }
    bytes.resize(used);
    result.bytes = std::move(bytes);
    result.status = std::ferror(stream_) != 0 ? BoundedBytes::kFailed : BoundedBytes::kComplete;
    return result;
}

std::optional<std::string> File::ReadUpTo(std::size_t count) {
    if (stream_ == nullptr) {
        return std::nullopt;
    }
    std::string bytes(count, '\0');
    bytes.resize(std::fread(bytes.data(), 1, count, stream_));
    if (std::ferror(stream_) != 0) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::uint64_t> File::RegularFileSize() const {
    struct stat status {};
    if (stream_ == nullptr || ::fstat(::fileno(stream_), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(status.st_size);
}

bool File::WriteBytes(std::string_view bytes) {
    return stream_ != nullptr &&
           std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
}

BinaryFile::BinaryFile(const std::string& path, int mode, bool create) {
    OpenBinary(path, mode, create);
}

bool BinaryFile::OpenBinary(const std::string& path, int mode, bool create) {
    return Open(path, true, mode, create);
}

TextFile::TextFile(const std::string& path, int mode, bool create) {
    OpenText(path, mode, create);
}

bool TextFile::OpenText(const std::string& path, int mode, bool create) {
    return Open(path, false, mode, create);
}

bool TextFile::WriteString(std::string_view text) {
    return WriteBytes(ToCrLf(text));
}

std::optional<std::string> TextFile::ReadLine() {
    if (Stream() == nullptr) {
        return std::nullopt;
    }
    std::string line;
    int c = std::fgetc(Stream());
    if (c == EOF) {
        return std::nullopt;
    }
    while (c != EOF && c != '\n') {
        line.push_back(static_cast<char>(c));
        c = std::fgetc(Stream());
    }
    if (c == '\n' && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

FileInfo::FileInfo(const std::string& path) : path_(path) {
    for (char& c : path_) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    size_ = error ? 0 : static_cast<std::int64_t>(size);
}

std::string ToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out.push_back('\r');
        }
        out.push_back(c);
    }
    return out;
}

}  // namespace tw
