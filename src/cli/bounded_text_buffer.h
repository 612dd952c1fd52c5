#pragma once

// An output stream's buffer that keeps what is written in memory, up to a limit: past it
// every write fails, so the stream goes bad and a writer that checks it stops.

#include <cstdint>
#include <streambuf>
#include <string>

namespace tw::cli {

class BoundedTextBuffer : public std::streambuf {
public:
    explicit BoundedTextBuffer(std::uint64_t maxBytes) : maxBytes_(maxBytes) {}

    const std::string& Text() const { return text_; }
    bool Overflowed() const { return overflowed_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        const char one = traits_type::to_char_type(c);
        return xsputn(&one, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::uint64_t room = maxBytes_ - text_.size();
        const auto taken = static_cast<std::streamsize>(
            std::min<std::uint64_t>(room, static_cast<std::uint64_t>(n)));
        text_.append(s, static_cast<std::size_t>(taken));
        overflowed_ = overflowed_ || taken < n;
        return taken;
    }

private:
    std::uint64_t maxBytes_;
    std::string text_;
    bool overflowed_ = false;
};

}  // namespace tw::cli
