#pragma once

#include <deque>
#include <functional>
#include <map>
#include <utility>

#include "ui/platform/platform_services.h"

namespace tw {

// Platform services for tests: message boxes and file dialogs are answered from queues and
// recorded; clipboard, profile and working directory live in memory. A question with no
// answer queued is recorded as an error (and reported to the failure hook, if set), so a
// test checks Errors() or hooks ADD_FAILURE / QFAIL-style reporting in.
class ScriptedPlatformServices : public PlatformServices {
public:
    struct Message {
        std::string caption;
        std::string text;
        MessageButtons buttons;
        MessageKind kind;
        bool operator==(const Message&) const = default;
    };
    struct FileDialog {
        bool save = false;
        FileDialogRequest request;
    };

    void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    // Nothing stands for the user cancelling the dialog.
    void QueueFileChoice(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    void SetFailureHook(std::function<void(const std::string&)> hook) { hook_ = std::move(hook); }
    // Runs while each answered message box is up, as a real box's event loop lets the rest
    // of the program run under it.
    void SetWhileShown(std::function<void(const Message&)> run) { whileShown_ = std::move(run); }

    const std::vector<Message>& Messages() const { return messages_; }
    const std::vector<FileDialog>& FileDialogs() const { return fileDialogs_; }
    const std::vector<std::string>& Errors() const { return errors_; }
    // Answers queued but never asked for.
    std::size_t PendingAnswers() const { return answers_.size() + files_.size(); }

    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override;
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;

    void SetClipboardData(std::string_view format, std::string_view bytes) override;
    std::optional<std::string> GetClipboardData(std::string_view format) override;
    void SetClipboardText(std::string_view text) override;
    std::optional<std::string> GetClipboardText() override;

    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view fallback) override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    int GetProfileInt(std::string_view section, std::string_view key, int fallback) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;

    std::string GetWorkingDirectory() override { return workingDirectory_; }
    bool SetWorkingDirectory(std::string_view path) override;

private:
    using ProfileKey = std::pair<std::string, std::string>;
    void Fail(std::string message);
    std::optional<std::string> NextFile(bool save, const FileDialogRequest& request);

    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<Message> messages_;
    std::vector<FileDialog> fileDialogs_;
    std::vector<std::string> errors_;
    std::function<void(const std::string&)> hook_;
    std::function<void(const Message&)> whileShown_;
    std::map<std::string, std::string> clipboard_;  // format name -> bytes; "" is plain text
    std::map<ProfileKey, std::string> profile_;
    std::string workingDirectory_ = "/";
};

}  // namespace tw
