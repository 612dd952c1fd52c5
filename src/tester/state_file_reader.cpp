#include "tester/state_file_reader.h"

#include "model/file.h"

namespace tw {
namespace {

StateFileText Failed(std::string message, bool refused) {
    return StateFileText{{}, std::move(message), refused};
}

}  // namespace

StateFileText ReadStateFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    BinaryFile file;
    const RegularFileOpen::Status opened = file.OpenRegularForReading(path.string());
    if (opened == RegularFileOpen::kNotRegular) {
        return Failed(std::string(kNotRegularStateFileMessage), true);
    }
    if (opened != RegularFileOpen::kOpened) {
        return Failed("Unable to open file", false);
    }
    const std::optional<std::uint64_t> size = file.RegularFileSize();
    if (size && *size > maxBytes) {
        return Failed(TooLargeMessage("a state file", size, maxBytes), true);
    }
    File::BoundedBytes bytes = file.ReadAtMost(maxBytes);
    if (bytes.status == File::BoundedBytes::kTooLarge) {
        return Failed(TooLargeMessage("a state file", size, maxBytes), true);
    }
    if (bytes.status == File::BoundedBytes::kFailed) {
        return Failed("Unable to open file", false);
    }
    return StateFileText{std::move(bytes.bytes), std::nullopt, false};
}

}  // namespace tw
