#include "ui/main_window/file_commands.h"

#include <filesystem>

#include "model/dialogue.h"
#include "model/editing/tree_edit_rules.h"
#include "model/tree_depth.h"
#include "ui/document/document_manager.h"
#include "ui/document/file_identity.h"
#include "ui/platform/platform_services.h"

namespace tw {
namespace {

constexpr std::string_view kProfileSection = "vorunda";
constexpr std::string_view kDirectoryKey = "current directory";

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

bool FileCommands::Save(Dialogue& document) {
    if (document.GetPath().empty()) {
        return SaveAs(document);
    }
    if (std::optional<std::string> error = document.Save()) {
        services_.ShowMessage(MessageKind::kError, "Error", *error, MessageButtons::kOk);
        return false;
    }
    return true;
}

bool FileCommands::SaveAs(Dialogue& document) {
    FileDialogRequest request = DialogueFileRequest("Save As", services_.GetWorkingDirectory());
    request.promptOverwrite = true;
    std::optional<std::string> path = services_.ChooseFileToSave(request);
    if (!path) {
        return false;
    }
    FollowChosenFile(*path);
    if (std::optional<std::string> error = document.SaveAs(AbsolutePath(*path))) {
        services_.ShowMessage(MessageKind::kError, "Error", *error, MessageButtons::kOk);
        return false;
    }
    return true;
}

bool FileCommands::ConfirmClose(Dialogue& document) {
    if (!document.IsModified()) {
        return true;
    }
    const std::string question = "Save changes to " + document.Npc().name + "?";
    switch (services_.ShowMessage(MessageKind::kQuestion, "Dialogue Editor", question,
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
        if (!ConfirmClose(documents.At(i).GetDialogue())) {
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
