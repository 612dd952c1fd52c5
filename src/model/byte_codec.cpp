#include "model/byte_codec.h"

namespace tw {

// One append of the four bytes: a push_back each checks the room four times.
void ByteWriter::WriteInt32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const char little[4] = {static_cast<char>(bits & 0xFFu), static_cast<char>((bits >> 8) & 0xFFu),
                            static_cast<char>((bits >> 16) & 0xFFu),
                            static_cast<char>((bits >> 24) & 0xFFu)};
    bytes_.append(little, sizeof little);
}

void ByteWriter::WriteByte(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
}

void ByteWriter::WriteBool(bool value) {
    WriteByte(value ? 1 : 0);
}

void ByteWriter::WriteFlag(bool value) {
    if (layout_ == ByteLayout::kFile) {
        WriteBool(value);
    } else {
        WriteInt32(value ? 1 : 0);
    }
}

void ByteWriter::WriteString(std::string_view text) {
    WriteInt32(static_cast<std::int32_t>(text.size()));
    bytes_.append(text);
    if (layout_ == ByteLayout::kArchive) {
        bytes_.push_back('\0');
    }
}

bool ByteReader::Take(std::size_t count) {
    if (failed_ || count > Remaining()) {
        failed_ = true;
        return false;
    }
    pos_ += count;
    return true;
}

std::int32_t ByteReader::ReadInt32() {
    if (!Take(4)) {
        return -1;
    }
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) |
               static_cast<unsigned char>(bytes_[pos_ - 4 + static_cast<std::size_t>(i)]);
    }
    return static_cast<std::int32_t>(bits);
}

int ByteReader::ReadByte() {
    if (!Take(1)) {
        return -1;
    }
    return static_cast<unsigned char>(bytes_[pos_ - 1]);
}

bool ByteReader::ReadBool() {
    const int byte = ReadByte();
    return byte > 0;
}

bool ByteReader::ReadFlag() {
    return layout_ == ByteLayout::kFile ? ReadBool() : ReadInt32() != 0;
}

std::string ByteReader::ReadString() {
    const std::int32_t length = ReadInt32();
    if (failed_ || length < 0) {
        failed_ = true;
        return {};
    }
    const std::size_t start = pos_;
    const std::size_t stored =
        static_cast<std::size_t>(length) + (layout_ == ByteLayout::kArchive ? 1 : 0);
    if (!Take(stored)) {
        return {};
    }
    return std::string(bytes_.substr(start, static_cast<std::size_t>(length)));
}

}  // namespace tw
