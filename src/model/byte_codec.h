#pragma once

// Little-endian byte streams in the two layouts the model is stored in: the dialogue
// file and the clipboard archive. They differ only in how a string ends and in how
// wide a presence flag is, so every record is written once for both.

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

enum class ByteLayout {
    kFile,     // strings: int32 length + bytes; flags: one byte
    kArchive,  // strings: int32 length + bytes + one zero byte; flags: int32
};

// Appends values to a byte string.
class ByteWriter {
public:
    explicit ByteWriter(ByteLayout layout) : layout_(layout) {}

    ByteLayout Layout() const { return layout_; }
    void WriteInt32(std::int32_t value);
    void WriteByte(std::uint8_t value);
    void WriteBool(bool value);
    // A presence flag: one byte in the file, an int32 in the archive.
    void WriteFlag(bool value);
    void WriteString(std::string_view text);

    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }
    // Empties the bytes but keeps their room, for a writer that hands them on in blocks.
    void ClearBytes() { bytes_.clear(); }

private:
    ByteLayout layout_;
    std::string bytes_;
};

// Reads values from a byte string. Any read past the end, or a string whose length is
// negative or longer than the bytes left, marks the reader failed for good; values read
// after that are -1, false or empty.
class ByteReader {
public:
    ByteReader(std::string_view bytes, ByteLayout layout) : bytes_(bytes), layout_(layout) {}

    ByteLayout Layout() const { return layout_; }
    std::int32_t ReadInt32();
    // The next byte, or -1 at the end.
    int ReadByte();
    bool ReadBool();
    bool ReadFlag();
    std::string ReadString();

    bool Failed() const { return failed_; }
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

private:
    bool Take(std::size_t count);

    std::string_view bytes_;
    ByteLayout layout_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace tw
