#include "export/export_file.h"

#include <cstring>
#include <filesystem>

#include "model/file.h"
#include "model/file_replace.h"

namespace fs = std::filesystem;

namespace tw {

std::optional<std::string> WriteExportFile(const std::string& path, std::string_view text) {
    std::error_code error;
    if (fs::is_directory(ReplaceTargetOf(path), error)) {
        return std::string(kUnableToCreateOutputFile);
    }
    const std::optional<ReplaceFailure> failure = ReplaceFileContents(path, ToCrLf(text));
    if (!failure) {
        return std::nullopt;
    }
    if (failure->step == ReplaceFailure::kCreate) {
        return std::string(kUnableToCreateOutputFile);
    }
    return "Unable to write output file " + path + ": " + std::strerror(failure->error);
}

}  // namespace tw
