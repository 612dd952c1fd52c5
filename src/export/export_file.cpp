#include "export/export_file.h"

#include <cstring>
#include <filesystem>

#include "export/crlf_block_writer.h"
#include "model/file.h"
#include "base/file_replace.h"

namespace fs = std::filesystem;

namespace tw {

std::optional<std::string> WriteExportFile(const std::string& path, std::string_view text) {
    return WriteExportFile(path, [text](CrLfBlockWriter& out) { out.Put(text); });
}

std::optional<std::string> WriteExportFile(const std::string& path,
                                           const std::function<void(CrLfBlockWriter&)>& produce) {
    std::error_code error;
    if (fs::is_directory(ReplaceTargetOf(path), error)) {
        return std::string(kUnableToCreateOutputFile);
    }
    const std::optional<ReplaceFailure> failure = ReplaceFileContents(path, [&produce](int fd) {
        CrLfBlockWriter out(fd);
        produce(out);
        return out.Finish();
    });
    if (!failure) {
        return std::nullopt;
    }
    if (failure->step == ReplaceFailure::kCreate) {
        return std::string(kUnableToCreateOutputFile);
    }
    return "Unable to write output file " + path + ": " + std::strerror(failure->error);
}

}  // namespace tw
