#include "ui/document/file_identity.h"

#include <filesystem>
#include <system_error>

namespace tw {

bool IsSameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(first, second, error);
    return error ? first == second : same;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error || path.empty() ? path : absolute.lexically_normal().string();
}

}  // namespace tw
