#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

#include "ui/platform/platform_services.h"

class QSettings;
class QWidget;

namespace tw {

// The icon of a message box of that kind.
QMessageBox::Icon MessageIcon(MessageKind kind);

// The platform services on Qt: QMessageBox, QFileDialog, the system clipboard and QSettings.
class QtPlatformServices : public PlatformServices {
public:
    // The profile is the application's default QSettings.
    explicit QtPlatformServices(QWidget* dialogParent = nullptr);
    // The profile is kept in an INI file at the given path.
    QtPlatformServices(QWidget* dialogParent, const QString& profilePath);
    ~QtPlatformServices() override;

    void SetDialogParent(QWidget* parent) { dialogParent_ = parent; }

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

    std::string GetWorkingDirectory() override;
    bool SetWorkingDirectory(std::string_view path) override;

    // The MIME type under which a clipboard format name is kept.
    static QString ClipboardMimeType(std::string_view format);

private:
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool save);

    QWidget* dialogParent_;
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tw
