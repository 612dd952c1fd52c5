#pragma once

#include <optional>
#include <string>

namespace tw {

class Dialogue;
class DocumentManager;
class EditorDocument;
class PlatformServices;

// The decisions behind the File menu, over the platform services and without widgets:
// file dialogs, loading and saving with their messages, the save questions, and the
// working directory kept in the profile.
class FileCommands {
public:
    explicit FileCommands(PlatformServices& services) : services_(services) {}

    // The Open dialog; the working directory follows the chosen file, as the platform's
    // own dialog does it, so that the next dialog and the next run start there.
    std::optional<std::string> ChooseDialogueToOpen();
    // Loads the file into the document, or shows why it cannot be loaded (a tree deeper than
    // kMaxEditorTreeDepth among the reasons).
    bool Load(Dialogue& document, const std::string& path);
    // Saves under the document's path, through Save As when it has none. A failure is
    // shown and leaves the document modified; so does a No to overwriting a file another
    // program changed since it was loaded or saved.
    bool Save(EditorDocument& document);
    bool SaveAs(EditorDocument& document);

    // Another program changed the document's file: an unmodified document may take the new
    // version (one step Undo takes back), a modified one keeps the writer's and says so.
    void AnswerChangeOnDisk(EditorDocument& document);
    void ReportRemovedFromDisk(const EditorDocument& document);

    // The question before a modified document is closed: true when it may go, because it
    // was saved or the user does not want it saved.
    bool ConfirmClose(EditorDocument& document);
    // The same question for every modified document in order; false keeps the program
    // running with every document open (Cancel, or a save that failed).
    bool ConfirmShutdown(DocumentManager& documents);

    void RememberWorkingDirectory();
    void RestoreWorkingDirectory();

private:
    void FollowChosenFile(const std::string& path);
    bool ConfirmOverwrite(EditorDocument& document);
    void Reload(EditorDocument& document);

    PlatformServices& services_;
};

}  // namespace tw
