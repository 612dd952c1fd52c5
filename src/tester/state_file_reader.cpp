#include "tester/state_file_reader.h"

#include <system_error>

#include "model/file.h"

namespace tw {
namespace {

StateFileText Failed(std::string message, bool refused) {
    return StateFileText{{}, std::move(message), refused};
}

}  // namespace

StateFileText ReadStateFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_directory(status)) {
        return Failed("Unable to open file", false);
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Failed(std::string(kNotRegularStateFileMessage), true);
    }
    BinaryFile file(path.string(), File::kRead);
    if (!file.IsOpen()) {
        return Failed("Unable to open file", false);
    }
    const std::optional<std::uint64_t> size = file.RegularFileSize();
    File::BoundedBytes bytes = file.ReadAtMost(maxBytes);
    if (bytes.status == File::BoundedBytes::kTooLarge || (size && *size > maxBytes)) {
        return Failed(TooLargeMessage("a state file", size, maxBytes), true);
    }
    if (bytes.status == File::BoundedBytes::kFailed) {
        return Failed("Unable to open file", false);
    }
    return StateFileText{std::move(bytes.bytes), std::nullopt, false};
}

}  // namespace tw
