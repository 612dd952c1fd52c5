#include "support/scripted_platform_services.h"

#include <algorithm>

#include "base/byte_string.h"

namespace tw {
namespace {

// Plain text is kept under a name no registered format can have.
const std::string kTextFormat;

// What closing the box without choosing answers.
MessageAnswer CloseAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk:
            return MessageAnswer::kOk;
        case MessageButtons::kYesNo:
            return MessageAnswer::kNo;
        default:
            return MessageAnswer::kCancel;
    }
}

}  // namespace

void ScriptedPlatformServices::Fail(std::string message) {
    if (hook_) {
        hook_(message);
    }
    errors_.push_back(std::move(message));
}

MessageAnswer ScriptedPlatformServices::ShowMessage(MessageKind kind, std::string_view caption,
                                                    std::string_view text, MessageButtons buttons) {
    messages_.push_back(Message{std::string(caption), std::string(text), buttons, kind});
    if (answers_.empty()) {
        std::string message = "unexpected message box: ";
        message.append(caption).append(": ").append(text);
        Fail(std::move(message));
        return CloseAnswer(buttons);
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    if (whileShown_) {
        whileShown_(Message(messages_.back()));
    }
    return answer;
}

std::optional<std::string> ScriptedPlatformServices::NextFile(bool save,
                                                              const FileDialogRequest& request) {
    fileDialogs_.push_back(FileDialog{save, request});
    if (files_.empty()) {
        std::string message = "unexpected file dialog: ";
        message.append(save ? "save " : "open ").append(request.caption);
        Fail(std::move(message));
        return std::nullopt;
    }
    std::optional<std::string> path = std::move(files_.front());
    files_.pop_front();
    return path;
}

std::optional<std::string> ScriptedPlatformServices::ChooseFileToOpen(
    const FileDialogRequest& request) {
    return NextFile(false, request);
}

std::optional<std::string> ScriptedPlatformServices::ChooseFileToSave(
    const FileDialogRequest& request) {
    return NextFile(true, request);
}

void ScriptedPlatformServices::SetClipboardData(std::string_view format, std::string_view bytes) {
    clipboard_.clear();
    clipboard_[std::string(format)] = std::string(bytes);
}

std::optional<std::string> ScriptedPlatformServices::GetClipboardData(std::string_view format) {
    const auto found = clipboard_.find(std::string(format));
    if (format.empty() || found == clipboard_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void ScriptedPlatformServices::SetClipboardText(std::string_view text) {
    clipboard_.clear();
    clipboard_[kTextFormat] = std::string(text);
}

std::optional<std::string> ScriptedPlatformServices::GetClipboardText() {
    const auto found = clipboard_.find(kTextFormat);
    if (found == clipboard_.end()) {
        return std::nullopt;
    }
    return found->second;
}

// Profile sections and keys ignore case, like the platform's.
std::string ScriptedPlatformServices::GetProfileString(std::string_view section,
                                                       std::string_view key,
                                                       std::string_view fallback) {
    const auto found = profile_.find({ToLowerAscii(section), ToLowerAscii(key)});
    return found == profile_.end() ? std::string(fallback) : found->second;
}

void ScriptedPlatformServices::WriteProfileString(std::string_view section, std::string_view key,
                                                  std::string_view value) {
    profile_[{ToLowerAscii(section), ToLowerAscii(key)}] = std::string(value);
}

int ScriptedPlatformServices::GetProfileInt(std::string_view section, std::string_view key,
                                            int fallback) {
    const auto found = profile_.find({ToLowerAscii(section), ToLowerAscii(key)});
    return found == profile_.end() ? fallback : StrToLong32(found->second);
}

void ScriptedPlatformServices::WriteProfileInt(std::string_view section, std::string_view key,
                                               int value) {
    WriteProfileString(section, key, FormatInt(value));
}

bool ScriptedPlatformServices::SetWorkingDirectory(std::string_view path) {
    workingDirectory_ = std::string(path);
    return true;
}

}  // namespace tw
