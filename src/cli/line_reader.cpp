#include "cli/line_reader.h"

#include <istream>
#include <streambuf>

namespace tw::cli {

LineReader::Status LineReader::Next(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    using Traits = std::streambuf::traits_type;
    int c = buffer != nullptr ? buffer->sbumpc() : Traits::eof();
    if (c == Traits::eof()) {
        in_.setstate(std::ios::eofbit);
        return Status::kEnd;
    }
    ++number_;
    for (; c != Traits::eof() && c != '\n'; c = buffer->sbumpc()) {
        if (line.size() >= maxBytes_) {
            return Status::kTooLong;
        }
        line.push_back(Traits::to_char_type(c));
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return Status::kLine;
}

std::string LineReader::TooLongMessage() const {
    return "line " + std::to_string(number_) + " is longer than " + ByteLimitText(maxBytes_);
}

}  // namespace tw::cli
