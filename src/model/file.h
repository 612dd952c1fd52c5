#pragma once

// The program's files: a C-library stream opened by mode number, with binary and text
// flavours, plus the atomic replacement every save goes through.

#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/regular_file.h"

namespace tw {

// An open C-library stream, or none, and the path it was opened with.
class File {
public:
    enum Mode { kRead = 1, kWrite = 2, kReadWrite = 3, kAppend = 4, kAppendRead = 5 };

    File() = default;
    File(const std::string& path, bool binary, int mode, bool create);
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    virtual ~File();

    // Closes any open stream, then opens the path; false (and an empty path) on failure.
    virtual bool Open(const std::string& path, bool binary, int mode, bool create);
    // Closes any open stream, then opens path for reading when it is a regular file, never
    // waiting on a FIFO or a device (see OpenRegularFile).
    RegularFileOpen::Status OpenRegularForReading(const std::string& path);
    virtual void Close();

    bool IsOpen() const { return stream_ != nullptr; }
    bool IsEof() const;
    const std::string& Path() const { return path_; }

    // Every byte of the stream from the current position; nullopt when a read fails.
    std::optional<std::string> ReadAll();
    // At most maxBytes bytes from the current position. A stream that holds more is
    // kTooLarge as soon as that shows, so an endless device costs no more than maxBytes.
    struct BoundedBytes {
        enum Status { kComplete, kTooLarge, kFailed } status = kFailed;
        std::string bytes;
    };
    // The bytes come after prefix, which counts towards maxBytes, in one buffer read into
    // directly: a large file is copied once, from the stream to the string.
    BoundedBytes ReadAtMost(std::uint64_t maxBytes, std::string prefix = {});
    // The next count bytes, fewer at the end of the file; nullopt when a read fails.
    std::optional<std::string> ReadUpTo(std::size_t count);
    // The file's size when it is a regular file; nothing for pipes and devices.
    std::optional<std::uint64_t> RegularFileSize() const;
    // False when not every byte reached the stream.
    bool WriteBytes(std::string_view bytes);

protected:
    std::FILE* Stream() const { return stream_; }

private:
    BoundedBytes ReadInto(std::string bytes, std::uint64_t maxBytes, std::size_t chunk);

    std::FILE* stream_ = nullptr;
    std::string path_;
};

// A file opened in binary mode.
class BinaryFile : public File {
public:
    BinaryFile() = default;
    BinaryFile(const std::string& path, int mode, bool create = false);
    bool OpenBinary(const std::string& path, int mode, bool create = false);
};

// A file whose line ends are CR LF on disk on every platform: each LF written becomes CR
// LF, and reading accepts CR LF or LF.
class TextFile : public File {
public:
    TextFile() = default;
    TextFile(const std::string& path, int mode, bool create = false);
    bool OpenText(const std::string& path, int mode, bool create = false);

    bool WriteString(std::string_view text);
    // The characters up to the next line end or the end of the file, without the line end;
    // nullopt at the end of the file.
    std::optional<std::string> ReadLine();
};

// A path with every separator turned into '\' and the size of the file it names.
class FileInfo {
public:
    explicit FileInfo(const std::string& path);
    virtual ~FileInfo() = default;

    const std::string& Path() const { return path_; }
    std::int64_t Size() const { return size_; }

private:
    std::string path_;
    std::int64_t size_ = 0;
};

// Turns each LF into CR LF, as text files store it.
std::string ToCrLf(std::string_view text);

}  // namespace tw
