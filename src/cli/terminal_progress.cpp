#include "cli/terminal_progress.h"

#include <unistd.h>

#include <iostream>

namespace tw::cli {

std::string ProgressBar(std::size_t done, std::size_t total, std::size_t width) {
    const std::size_t filled = total == 0 ? width : std::min(width, done * width / total);
    return "[" + std::string(filled, '#') + std::string(width - filled, ' ') + "] " +
           std::to_string(done) + "/" + std::to_string(total);
}

TerminalProgress::TerminalProgress(std::ostream& err) {
    if (&err == &std::cerr && ::isatty(STDERR_FILENO) == 1) {
        terminal_ = &err;
    }
}

void TerminalProgress::Show(std::size_t done, std::size_t total) {
    if (terminal_ != nullptr) {
        *terminal_ << '\r' << ProgressBar(done, total) << std::flush;
        shown_ = true;
    }
}

void TerminalProgress::Clear() {
    if (shown_) {
        *terminal_ << "\r\033[K" << std::flush;
        shown_ = false;
    }
}

}  // namespace tw::cli
