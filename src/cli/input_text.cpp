#include "cli/input_text.h"

#include <istream>

#include "base/input_limits.h"
#include "model/file.h"

namespace tw::cli {
namespace {

InputText TooLarge(std::string_view kind, std::optional<std::uint64_t> size,
                   std::uint64_t maxBytes) {
    return InputText{{}, TooLargeMessage(kind, size, maxBytes), true};
}

InputText ReadStream(std::istream& in, std::uint64_t maxBytes, std::string_view kind) {
    InputText result;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        if (count > maxBytes - result.text.size()) {
            return TooLarge(kind, std::nullopt, maxBytes);
        }
        result.text.append(buffer, count);
    }
    if (in.bad()) {
        return InputText{{}, "cannot read", false};
    }
    return result;
}

}  // namespace

InputText ReadInputText(const std::string& path, std::istream& in, std::uint64_t maxBytes,
                        std::string_view kind) {
    if (path == "-") {
        return ReadStream(in, maxBytes, kind);
    }
    BinaryFile file;
    const RegularFileOpen::Status opened = file.OpenRegularForReading(path);
    if (opened != RegularFileOpen::kOpened) {
        const bool notRegular = opened == RegularFileOpen::kNotRegular;
        return InputText{{}, notRegular ? NotRegularFileMessage(kind) : "cannot read", notRegular};
    }
    const std::optional<std::uint64_t> size = file.RegularFileSize();
    if (size && *size > maxBytes) {
        return TooLarge(kind, size, maxBytes);
    }
    File::BoundedBytes bytes = file.ReadAtMost(maxBytes);
    if (bytes.status == File::BoundedBytes::kTooLarge) {
        return TooLarge(kind, size, maxBytes);
    }
    if (bytes.status == File::BoundedBytes::kFailed) {
        return InputText{{}, "cannot read", false};
    }
    return InputText{std::move(bytes.bytes), std::nullopt, false};
}

}  // namespace tw::cli
