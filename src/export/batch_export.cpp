#include "export/batch_export.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <utility>

#include "export/dialogue_export.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

constexpr std::string_view kDialogueExtension = ".vrx";

bool IsDialogueFileName(std::string_view name) {
    return name.ends_with(kDialogueExtension);
}

// A file worth handing to the loader: a regular file, or a dangling link whose failure to
// load should be reported. Pipes and devices are left alone: reading one could block.
bool IsLoadable(const fs::directory_entry& entry) {
    std::error_code error;
    const fs::file_status status = entry.status(error);
    return fs::is_regular_file(status) || status.type() == fs::file_type::not_found;
}

// Walks directories depth first with its own stack, entering each real directory once.
class DialogueFileFinder {
public:
    DialogueFileSearch Run(const fs::path& dir) {
        Enter(dir);
        while (!stack_.empty()) {
            Frame& frame = stack_.back();
            if (frame.next == frame.entries.size()) {
                stack_.pop_back();
                continue;
            }
            // A copy: entering a subdirectory pushes a frame and may move this one.
            const fs::directory_entry entry = frame.entries[frame.next++];
            Visit(entry);
        }
        return std::move(search_);
    }

private:
    struct Frame {
        std::vector<fs::directory_entry> entries;
        std::size_t next = 0;
    };

    void Visit(const fs::directory_entry& entry) {
        std::error_code error;
        if (entry.is_directory(error)) {
            Enter(entry.path());
        } else if (IsDialogueFileName(entry.path().filename().string()) && IsLoadable(entry)) {
            search_.files.push_back(entry.path().string());
        }
    }

    void Enter(const fs::path& dir) {
        struct stat info {};
        if (::stat(dir.c_str(), &info) != 0) {
            Fail(dir, std::error_code(errno, std::generic_category()));
            return;
        }
        if (!visited_.emplace(info.st_dev, info.st_ino).second) {
            return;
        }
        Frame frame;
        std::error_code error;
        for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
            frame.entries.push_back(*it);
        }
        if (error) {
            Fail(dir, error);
            return;
        }
        std::sort(frame.entries.begin(), frame.entries.end(), [](const auto& a, const auto& b) {
            return a.path().filename() < b.path().filename();
        });
        stack_.push_back(std::move(frame));
    }

    void Fail(const fs::path& dir, const std::error_code& error) {
        search_.errors.push_back({dir.string(), error.message()});
    }

    std::vector<Frame> stack_;
    std::set<std::pair<dev_t, ino_t>> visited_;
    DialogueFileSearch search_;
};

}  // namespace

DialogueFileSearch FindDialogueFiles(const std::string& dir) {
    return DialogueFileFinder().Run(dir);
}

std::string ExportFileName(std::string_view sourcePath) {
    std::string name = fs::path(sourcePath).filename().string();
    const std::size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".txt";
}

std::string BatchExporter::OutputPath(const std::string& source) const {
    return (fs::path(destDir_) / ExportFileName(source)).string();
}

BatchExportResult BatchExporter::Export(const std::string& source, const Dialogue& dialogue) {
    const std::string output = OutputPath(source);
    BatchExportResult result{source, output, true, tw::Export(dialogue, output), std::nullopt, {}};
    if (!result.IsExported()) {
        return result;
    }
    auto [writer, isFirst] = writers_.try_emplace(result.output, source);
    if (!isFirst) {
        result.warning = "Both " + writer->second + " and " + source + " export to " +
                         result.output + "; the export of " + source + " replaced the other";
        result.replaced = std::exchange(writer->second, source);
    }
    return result;
}

BatchExportResult BatchExporter::Skip(const std::string& source, std::string message) const {
    return BatchExportResult{source, OutputPath(source), false, std::move(message), std::nullopt,
                             {}};
}

BatchExportReport RunBatchExport(const std::string& sourceDir, const std::string& destDir,
                                 const DialogueLoader& load, const BatchExportCallback& progress) {
    DialogueFileSearch search = FindDialogueFiles(sourceDir);
    BatchExportReport report{std::move(search.errors), {}, 0, 0};
    BatchExporter exporter(destDir);
    for (const std::string& source : search.files) {
        std::string message;
        const Dialogue* dialogue = load(source, message);
        BatchExportResult result = dialogue != nullptr ? exporter.Export(source, *dialogue)
                                                       : exporter.Skip(source, std::move(message));
        ++(result.IsExported() ? report.exported : report.failed);
        report.results.push_back(std::move(result));
        if (progress) {
            progress({report.results.size(), search.files.size()}, report.results.back());
        }
    }
    return report;
}

DialogueLoader FileDialogueLoader() {
    auto current = std::make_shared<std::unique_ptr<Dialogue>>();
    return [current](const std::string& path, std::string& message) -> const Dialogue* {
        *current = std::make_unique<Dialogue>();
        if (auto error = (*current)->Load(path)) {
            message = std::move(*error);
            current->reset();
        }
        return current->get();
    };
}

}  // namespace tw
