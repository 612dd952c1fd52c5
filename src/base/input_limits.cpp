#include "base/input_limits.h"

#include <array>

namespace tw {

std::string ByteLimitText(std::uint64_t limit) {
    std::string text = std::to_string(limit) + (limit == 1 ? " byte" : " bytes");
    constexpr std::array<std::string_view, 3> kUnits = {"GiB", "MiB", "KiB"};
    for (std::size_t i = 0; i < kUnits.size(); ++i) {
        const unsigned shift = 30 - 10 * static_cast<unsigned>(i);
        const std::uint64_t unit = std::uint64_t{1} << shift;
        if (limit >= unit && limit % unit == 0) {
            return text + " (" + std::to_string(limit >> shift) + " " + std::string(kUnits[i]) +
                   ")";
        }
    }
    return text;
}

std::string TooLargeMessage(std::string_view kind, std::optional<std::uint64_t> size,
                            std::uint64_t limit) {
    std::string message = "This file is too large for " + std::string(kind) + ": ";
    if (size) {
        message += std::to_string(*size) + " bytes, ";
    }
    return message + "more than the limit of " + ByteLimitText(limit) + ".";
}

}  // namespace tw
