// Export and Batch Export: the current document, or every dialogue file below the working
// directory, written as conversation scripts.

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <filesystem>

#include "export/batch_export.h"
#include "export/dialogue_export.h"
#include "model/dialogue.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/platform_services.h"

namespace tw {
namespace {

// A name typed without extension gets ".txt": the export is plain text, whichever entry of
// the list was chosen.
FileDialogRequest ExportRequest(std::string startDirectory) {
    FileDialogRequest request;
    request.caption = "Export";
    request.filters = {{"Rich Text Format (*.rtf)", "*.rtf"},
                       {"ASCII Text format (*.txt)", "*.txt"}};
    request.defaultExtension = "txt";
    request.startDirectory = std::move(startDirectory);
    request.promptOverwrite = true;
    return request;
}

FileDialogRequest BatchExportRequest(std::string sourceDirectory) {
    FileDialogRequest request;
    request.caption = "Batch Export";
    request.filters = {{"Export Files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}};
    request.defaultExtension = "txt";
    request.startDirectory = std::move(sourceDirectory);
    request.promptOverwrite = true;
    return request;
}

std::string DirectoryOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

}  // namespace

bool CTalkwrightDlg::ExportTo(const Dialogue& document, const std::string& path) {
    if (std::optional<std::string> failure = Export(document, path)) {
        Services().ShowMessage(MessageKind::kError, "Error", *failure, MessageButtons::kOk);
        return false;
    }
    return true;
}

void CTalkwrightDlg::OnExport() {
    const FileDialogRequest request = ExportRequest(Services().GetWorkingDirectory());
    if (std::optional<std::string> path = Services().ChooseFileToSave(request)) {
        ExportTo(documents_.Current(), *path);
    }
}

// Each file found is opened as a tab (a file that fails to open has shown its message and
// is skipped) and exported under its own name into the chosen directory.
void CTalkwrightDlg::OnBatchExport() {
    const std::string source = Services().GetWorkingDirectory();
    const std::optional<std::string> chosen =
        Services().ChooseFileToSave(BatchExportRequest(source));
    if (!chosen) {
        return;
    }
    const DialogueFileSearch found = FindDialogueFiles(source);
    BatchExporter exporter(DirectoryOf(*chosen));
    QProgressDialog progress("Exporting dialogues...", "Cancel", 0,
                             static_cast<int>(found.files.size()), this);
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
        if (OpenDialogueFile(found.files[i])) {
            const BatchExportResult result = exporter.Export(found.files[i], documents_.Current());
            if (result.error) {
                Services().ShowMessage(MessageKind::kError, "Error", *result.error,
                                       MessageButtons::kOk);
            }
        }
    }
    progress.setValue(static_cast<int>(found.files.size()));
}

}  // namespace tw
