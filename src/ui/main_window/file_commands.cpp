#include "ui/main_window/file_commands.h"

#include <filesystem>

#include "model/dialogue.h"
#include "model/editing/tree_edit_rules.h"
#include "model/text/shown_text.h"
#include "model/tree_depth.h"
#include "ui/document/document_manager.h"
#include "ui/document/file_identity.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

constexpr std::string_view kProfileSection = "vorunda";
constexpr std::string_view kDirectoryKey = "current directory";
constexpr std::string_view kQuestionCaption = "Dialogue Editor";

// A path in a message as the title bar shows it: the file system's bytes read as text, and
// that text in the messages' Windows-1252.
std::string ShownPath(const std::string& path) {
    return ToBytes(FromPath(path));
}

FileDialogRequest DialogueFileRequest(std::string caption, std::string startDirectory) {
    FileDialogRequest request;
    request.caption = std::move(caption);
    request.filters = {{"Vorunda Dialogue Files (*.vrx)", "*.vrx"}, {"All Files (*.*)", "*.*"}};
    request.defaultExtension = "vrx";
    request.startDirectory = std::move(startDirectory);
    return request;
}

}  // namespace

void FileCommands::FollowChosenFile(const std::string& path) {
    const std::filesystem::path directory = std::filesystem::path(path).parent_path();
    if (!directory.empty()) {
        services_.SetWorkingDirectory(directory.string());
    }
}

std::optional<std::string> FileCommands::ChooseDialogueToOpen() {
    std::optional<std::string> path =
        services_.ChooseFileToOpen(DialogueFileRequest("Open", services_.GetWorkingDirectory()));
    if (path) {
        FollowChosenFile(*path);
    }
    return path;
}

// A tree deeper than the editor can show is refused here, before any view is made of it.
bool FileCommands::Load(Dialogue& document, const std::string& path) {
    std::optional<std::string> error = document.Load(path);
    if (!error) {
        const std::size_t depth = DialogueDepth(document);
        if (depth > kMaxEditorTreeDepth) {
            error = TooDeepToOpenMessage(depth);
        }
    }
    if (error) {
        services_.ShowMessage(MessageKind::kError, "Error", *error, MessageButtons::kOk);
        return false;
    }
    return true;
}

bool FileCommands::Save(EditorDocument& document) {
    Dialogue& dialogue = document.GetDialogue();
    if (dialogue.GetPath().empty()) {
        return SaveAs(document);
    }
    if (!ConfirmOverwrite(document)) {
        return false;
    }
    if (std::optional<std::string> error = dialogue.Save()) {
        services_.ShowMessage(MessageKind::kError, "Error", *error, MessageButtons::kOk);
        return false;
    }
    document.FileWatch().RecordFile();
    return true;
}

// Save As needs no question of its own: the file dialog asks before replacing a file.
bool FileCommands::SaveAs(EditorDocument& document) {
    FileDialogRequest request = DialogueFileRequest("Save As", services_.GetWorkingDirectory());
    request.promptOverwrite = true;
    std::optional<std::string> path = services_.ChooseFileToSave(request);
    if (!path) {
        return false;
    }
    FollowChosenFile(*path);
    if (std::optional<std::string> error = document.GetDialogue().SaveAs(AbsolutePath(*path))) {
        services_.ShowMessage(MessageKind::kError, "Error", *error, MessageButtons::kOk);
        return false;
    }
    document.FileWatch().RecordFile();
    return true;
}

// The question stays the only one about the file while it is open: a notification of the
// same change waits for its answer.
bool FileCommands::ConfirmOverwrite(EditorDocument& document) {
    const DocumentFileWatch::OpenQuestion asking(document.FileWatch());
    if (!document.FileWatch().HasChangedOnDisk()) {
        return true;
    }
    const std::string question =
        ShownPath(document.Path()) + " has been changed on disk since it was opened. Overwrite it?";
    return services_.ShowMessage(MessageKind::kQuestion, kQuestionCaption, question,
                                 MessageButtons::kYesNo) == MessageAnswer::kYes;
}

void FileCommands::AnswerChangeOnDisk(EditorDocument& document) {
    const std::string changed =
        ShownPath(document.Path()) + " has been changed by another program.";
    if (document.IsModified()) {
        services_.ShowMessage(MessageKind::kWarning, kQuestionCaption,
                              changed +
                                  " Your version is kept; Save asks before it overwrites "
                                  "the file.",
                              MessageButtons::kOk);
        return;
    }
    if (services_.ShowMessage(MessageKind::kQuestion, kQuestionCaption, changed + " Reload it?",
                              MessageButtons::kYesNo) == MessageAnswer::kYes) {
        Reload(document);
    }
}

// A file that can't be read now (half written, say) is reported and changes nothing.
void FileCommands::Reload(EditorDocument& document) {
    Dialogue fromFile;
    if (Load(fromFile, document.Path())) {
        document.Reload(fromFile);
    }
}

void FileCommands::ReportRemovedFromDisk(const EditorDocument& document) {
    services_.ShowMessage(MessageKind::kWarning, kQuestionCaption,
                          ShownPath(document.Path()) +
                              " has been deleted by another program. The dialogue stays open; "
                              "Save writes the file again.",
                          MessageButtons::kOk);
}

bool FileCommands::ConfirmClose(EditorDocument& document) {
    if (!document.IsModified()) {
        return true;
    }
    const std::string question =
        "Save changes to " + ShownText(document.GetDialogue().Npc().name, kLabelLimit) + "?";
    switch (services_.ShowMessage(MessageKind::kQuestion, kQuestionCaption, question,
                                  MessageButtons::kYesNoCancel)) {
        case MessageAnswer::kYes:
            return Save(document);
        case MessageAnswer::kNo:
            return true;
        default:
            return false;
    }
}

bool FileCommands::ConfirmShutdown(DocumentManager& documents) {
    for (std::size_t i = 0; i < documents.Count(); ++i) {
        if (!ConfirmClose(documents.At(i))) {
            return false;
        }
    }
    return true;
}

void FileCommands::RememberWorkingDirectory() {
    services_.WriteProfileString(kProfileSection, kDirectoryKey, services_.GetWorkingDirectory());
}

void FileCommands::RestoreWorkingDirectory() {
    const std::string directory = services_.GetProfileString(kProfileSection, kDirectoryKey, "");
    if (!directory.empty()) {
        services_.SetWorkingDirectory(directory);
    }
}

}  // namespace tw
