#pragma once

// What the editor takes from the platform, behind one interface so that windows can be
// driven by tests with scripted answers. Texts are the model's Windows-1252 bytes; paths
// are the file system's own bytes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_boxes.h"

namespace tw {

// One line of a file dialog's type list, e.g. {"Vorunda Dialogue Files (*.vrx)", "*.vrx"}.
struct FileFilter {
    std::string description;
    std::string pattern;
    bool operator==(const FileFilter&) const = default;
};

// What a file-open or file-save dialog is asked to show.
struct FileDialogRequest {
    std::string caption;
    std::vector<FileFilter> filters;
    std::string defaultExtension;  // without the dot; added when the user types none
    std::string startDirectory;
    std::string fileName;         // proposed name
    bool promptOverwrite = true;  // save dialogs only
};

// The platform's message boxes, file dialogs, clipboard, profile and working directory.
class PlatformServices : public MessageBoxes {
public:
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) = 0;

    // Setting data of one format replaces everything on the clipboard.
    virtual void SetClipboardData(std::string_view format, std::string_view bytes) = 0;
    virtual std::optional<std::string> GetClipboardData(std::string_view format) = 0;
    virtual void SetClipboardText(std::string_view text) = 0;
    virtual std::optional<std::string> GetClipboardText() = 0;

    virtual std::string GetProfileString(std::string_view section, std::string_view key,
                                         std::string_view fallback) = 0;
    virtual void WriteProfileString(std::string_view section, std::string_view key,
                                    std::string_view value) = 0;
    virtual int GetProfileInt(std::string_view section, std::string_view key, int fallback) = 0;
    virtual void WriteProfileInt(std::string_view section, std::string_view key, int value) = 0;

    virtual std::string GetWorkingDirectory() = 0;
    // False when the directory cannot be entered; the working directory is then unchanged.
    virtual bool SetWorkingDirectory(std::string_view path) = 0;
};

}  // namespace tw
