#pragma once

// The one-line progress bar the long-running commands draw on a terminal.

#include <cstddef>
#include <iosfwd>
#include <string>

namespace tw::cli {

// "[#####     ] 3/6": width marks, filled in proportion to done out of total.
std::string ProgressBar(std::size_t done, std::size_t total, std::size_t width = 30);

// Draws on the standard error stream when it is a terminal; does nothing otherwise, so that
// logs and pipes get only the messages.
class TerminalProgress {
public:
    explicit TerminalProgress(std::ostream& err);
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;
    ~TerminalProgress() { Clear(); }

    void Show(std::size_t done, std::size_t total);
    // Removes the bar so that a message can take the line.
    void Clear();

private:
    std::ostream* terminal_ = nullptr;
    bool shown_ = false;
};

}  // namespace tw::cli
