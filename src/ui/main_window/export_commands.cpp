#include "ui/main_window/export_commands.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <filesystem>

#include "export/batch_export.h"
#include "export/dialogue_export.h"
#include "model/dialogue.h"
#include "ui/document/document_manager.h"
#include "ui/main_window/file_menu_commands.h"
#include "ui/platform/platform_services.h"
#include "ui/views/map/map_view.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_view.h"

namespace tw {
namespace {

// A name typed without extension gets ".txt": the export is plain text, whichever entry of
// the list was chosen.
FileDialogRequest ExportRequest(const char* caption, std::vector<FileFilter> filters,
                                std::string startDirectory) {
    FileDialogRequest request;
    request.caption = caption;
    request.filters = std::move(filters);
    request.defaultExtension = "txt";
    request.startDirectory = std::move(startDirectory);
    request.promptOverwrite = true;
    return request;
}

std::string DirectoryOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

}  // namespace

ExportCommands::ExportCommands(DocumentManager& documents, PlatformServices& services,
                               FileMenuCommands& files, MapView& map, ProblemsView& problems,
                               QWidget& window)
    : QObject(&window),
      documents_(documents),
      services_(services),
      files_(files),
      map_(map),
      problems_(problems),
      window_(window) {}

void ExportCommands::Export() {
    const FileDialogRequest request = ExportRequest(
        "Export", {{"Rich Text Format (*.rtf)", "*.rtf"}, {"ASCII Text format (*.txt)", "*.txt"}},
        services_.GetWorkingDirectory());
    if (std::optional<std::string> path = services_.ChooseFileToSave(request)) {
        if (std::optional<std::string> failure =
                tw::Export(documents_.Current().GetDialogue(), *path)) {
            services_.ShowMessage(MessageKind::kError, "Error", *failure, MessageButtons::kOk);
        }
    }
}

// Each file found is opened as a tab (a file that fails to open has shown its message and is
// skipped) and exported under its own name into the chosen directory.
void ExportCommands::BatchExport() {
    const std::string source = services_.GetWorkingDirectory();
    const std::optional<std::string> chosen = services_.ChooseFileToSave(ExportRequest(
        "Batch Export", {{"Export Files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}}, source));
    if (!chosen) {
        return;
    }
    const DialogueFileSearch found = FindDialogueFiles(source);
    BatchExporter exporter(DirectoryOf(*chosen));
    QProgressDialog progress("Exporting dialogues...", "Cancel", 0,
                             static_cast<int>(found.files.size()), &window_);
    progress.setWindowTitle("Batch Export");
    // A file's name is shown as it is, never read as markup.
    auto* label = new QLabel("Exporting dialogues...");
    label->setTextFormat(Qt::PlainText);
    progress.setLabel(label);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    for (std::size_t i = 0; i < found.files.size() && !progress.wasCanceled(); ++i) {
        progress.setValue(static_cast<int>(i));
        progress.setLabelText(
            "Exporting " +
            QString::fromStdString(std::filesystem::path(found.files[i]).filename().string()));
        QApplication::processEvents();
        if (files_.OpenDialogueFile(found.files[i])) {
            const BatchExportResult result =
                exporter.Export(found.files[i], documents_.Current().GetDialogue());
            if (result.error) {
                services_.ShowMessage(MessageKind::kError, "Error", *result.error,
                                      MessageButtons::kOk);
            }
        }
    }
    progress.setValue(static_cast<int>(found.files.size()));
}

void ExportCommands::ExportMap() {
    FileDialogRequest request;
    request.caption = "Export Map";
    request.filters = {{"SVG Drawing (*.svg)", "*.svg"}, {"PNG Picture (*.png)", "*.png"}};
    request.defaultExtension = "svg";
    request.startDirectory = services_.GetWorkingDirectory();
    request.promptOverwrite = true;
    const std::optional<std::string> path = services_.ChooseFileToSave(request);
    if (!path) {
        return;
    }
    // A hidden map is told the findings only now.
    if (!map_.isVisible()) {
        map_.ShowProblems();
    }
    if (std::optional<std::string> failure = map_.Export(*path)) {
        services_.ShowMessage(MessageKind::kError, "Error", *failure, MessageButtons::kOk);
    }
}

}  // namespace tw
