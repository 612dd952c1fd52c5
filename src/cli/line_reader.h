#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "base/input_limits.h"

namespace tw::cli {

// Reads an input line by line, never holding more than one line of at most maxBytes bytes,
// so an endless line (/dev/zero) is refused instead of filling memory.
class LineReader {
public:
    enum class Status { kLine, kEnd, kTooLong };

    explicit LineReader(std::istream& in, std::uint64_t maxBytes = kMaxInputLineBytes)
        : in_(in), maxBytes_(maxBytes) {}

    // The next line without its LF and without one CR at its end. A line counts the bytes
    // before its LF; one of more than maxBytes is kTooLong. A final LF starts no line.
    Status Next(std::string& line);
    // The number of the line last read (or refused), counted from 1.
    std::size_t LineNumber() const { return number_; }
    // "line N is longer than LIMIT": the message for kTooLong.
    std::string TooLongMessage() const;
    void SetMaxBytes(std::uint64_t maxBytes) { maxBytes_ = maxBytes; }

private:
    std::istream& in_;
    std::uint64_t maxBytes_;
    std::size_t number_ = 0;
};

}  // namespace tw::cli
