#pragma once

// Batch export: every dialogue file below a directory exported into one destination
// directory. The editor and the command line share it; each brings its own way of loading a
// file (the editor opens a tab) and of showing results.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/dialogue.h"

namespace tw {

// The files a batch exports, in the order found, and the directories that couldn't be read.
struct DialogueFileSearch {
    struct Failure {
        std::string dir;
        std::string reason;
    };
    std::vector<std::string> files;
    std::vector<Failure> errors;
};

// Every file below dir, recursively, whose name ends in ".vrx" (with case). Each directory's
// entries are taken in name order and a subdirectory is entered where it is met. A symbolic
// link is followed, but each real directory is visited once, so a link back into the tree
// is no loop.
DialogueFileSearch FindDialogueFiles(const std::string& dir);

// The export's file name for a source path: its file name with the extension made ".txt".
std::string ExportFileName(std::string_view sourcePath);

// What became of one source file.
struct BatchExportResult {
    std::string source;
    std::string output;
    bool loaded = false;
    std::optional<std::string> error;    // the load or export failed: its message
    std::optional<std::string> warning;  // the output replaced one written earlier in the batch
    std::string replaced;                // then the source of the export it replaced

    bool IsExported() const { return !error.has_value(); }
};

// Exports source files one by one into a destination directory, noticing when two sources
// write the same output file.
class BatchExporter {
public:
    explicit BatchExporter(std::string destDir) : destDir_(std::move(destDir)) {}

    // Exports a loaded dialogue under the source's name.
    BatchExportResult Export(const std::string& source, const Dialogue& dialogue);
    // Records a source that couldn't be loaded.
    BatchExportResult Skip(const std::string& source, std::string message) const;

private:
    std::string OutputPath(const std::string& source) const;

    std::string destDir_;
    std::unordered_map<std::string, std::string> writers_;  // output path -> its source
};

// Loads the dialogue at path, or sets message and returns null. The dialogue stays valid
// until the next call.
using DialogueLoader =
    std::function<const Dialogue*(const std::string& path, std::string& message)>;

struct BatchExportProgress {
    std::size_t done = 0;
    std::size_t total = 0;
};

using BatchExportCallback =
    std::function<void(const BatchExportProgress&, const BatchExportResult&)>;

struct BatchExportReport {
    std::vector<DialogueFileSearch::Failure> searchErrors;
    std::vector<BatchExportResult> results;
    std::size_t exported = 0;
    std::size_t failed = 0;
};

// Loads every file that FindDialogueFiles finds with load and exports it into destDir,
// calling progress after each file.
BatchExportReport RunBatchExport(const std::string& sourceDir, const std::string& destDir,
                                 const DialogueLoader& load,
                                 const BatchExportCallback& progress = {});

// A loader that reads each file into a document of its own.
DialogueLoader FileDialogueLoader();

}  // namespace tw
