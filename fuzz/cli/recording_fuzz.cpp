// Reads arbitrary bytes as a recorded playthrough's header, and diffs the bytes before the
// first NUL against those after it, as the test runner diffs an expected transcript
// against a played one.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/line_diff.h"
#include "cli/recording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Small, so the refusal of a long line is reached too.
    const tw::cli::RecordingHeader header = tw::cli::ReadRecordingHeader(bytes, 256);
    if (!header.error && header.recording.dialogue.empty()) {
        __builtin_trap();
    }
    const std::size_t split = std::min(bytes.find('\0'), bytes.size());
    const std::string diff = tw::cli::UnifiedDiff(
        bytes.substr(0, split), bytes.substr(std::min(split + 1, size)), "a", "b");
    if (diff.empty() != (bytes.substr(0, split) == bytes.substr(std::min(split + 1, size)))) {
        __builtin_trap();
    }
    return 0;
}
