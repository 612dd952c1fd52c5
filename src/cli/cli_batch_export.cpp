// batch-export SRC_DIR DEST_DIR: exports every dialogue file below SRC_DIR into DEST_DIR.

#include <filesystem>
#include <ostream>
#include <string>

#include "cli/command_entry_points.h"
#include "cli/export_messages.h"
#include "cli/shown_path.h"
#include "cli/terminal_progress.h"
#include "export/batch_export.h"

namespace tw::cli {
namespace {

void ReportResult(const BatchExportResult& result, std::ostream& err) {
    if (result.error) {
        err << (result.loaded ? ExportFailureLine(result.output, *result.error)
                              : ShownPath(result.source) + ": " + *result.error)
            << '\n';
    }
    if (result.warning) {
        err << "warning: "
            << WithShownPaths(*result.warning, {result.replaced, result.source, result.output})
            << '\n';
    }
}

}  // namespace

int RunBatchExportCommand(const Invocation& invocation) {
    if (invocation.args.size() != 2) {
        return PrintCommandUsage(invocation.err, "batch-export");
    }
    const std::string source(invocation.args[0]);
    const std::string dest(invocation.args[1]);
    if (!std::filesystem::is_directory(dest)) {
        invocation.err << ShownPath(dest) << ": not a directory\n";
        return kExitFailure;
    }
    TerminalProgress bar(invocation.err);
    const BatchExportReport report =
        RunBatchExport(source, dest, FileDialogueLoader(),
                       [&](const BatchExportProgress& progress, const BatchExportResult& result) {
                           bar.Clear();
                           ReportResult(result, invocation.err);
                           bar.Show(progress.done, progress.total);
                       });
    bar.Clear();
    for (const DialogueFileSearch::Failure& error : report.searchErrors) {
        invocation.err << "Unable to read directory " << ShownPath(error.dir) << ": "
                       << error.reason << '\n';
    }
    invocation.out << report.exported << " exported, " << report.failed << " failed\n";
    const bool clean = report.failed == 0 && report.searchErrors.empty();
    return clean ? kExitOk : kExitFailure;
}

}  // namespace tw::cli
