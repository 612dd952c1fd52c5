#include "ui/platform/qt_platform_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStringList>

#include "base/byte_string.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

// Sections and keys ignore case, as in the platform's profile the names come from.
QString SettingsKey(std::string_view section, std::string_view key) {
    return FromBytes(ToLowerAscii(section)) + '/' + FromBytes(ToLowerAscii(key));
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk:
            return QMessageBox::Ok;
        case MessageButtons::kOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::kYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageAnswer::kYes;
        case QMessageBox::No:
            return MessageAnswer::kNo;
        case QMessageBox::Ok:
            return MessageAnswer::kOk;
        default:
            return MessageAnswer::kCancel;
    }
}

QString FilterText(const FileDialogRequest& request) {
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        QString line = FromBytes(filter.description);
        if (!line.contains('(')) {
            line += " (" + FromBytes(filter.pattern) + ")";
        }
        filters << line;
    }
    return filters.join(";;");
}

}  // namespace

QMessageBox::Icon MessageIcon(MessageKind kind) {
    switch (kind) {
        case MessageKind::kError:
            return QMessageBox::Critical;
        case MessageKind::kWarning:
            return QMessageBox::Warning;
        case MessageKind::kQuestion:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QtPlatformServices::QtPlatformServices(QWidget* dialogParent)
    : dialogParent_(dialogParent), settings_(std::make_unique<QSettings>()) {}

QtPlatformServices::QtPlatformServices(QWidget* dialogParent, const QString& profilePath)
    : dialogParent_(dialogParent),
      settings_(std::make_unique<QSettings>(profilePath, QSettings::IniFormat)) {}

QtPlatformServices::~QtPlatformServices() = default;

MessageAnswer QtPlatformServices::ShowMessage(MessageKind kind, std::string_view caption,
                                              std::string_view text, MessageButtons buttons) {
    QMessageBox box(MessageIcon(kind), FromBytes(caption), QString(), ButtonsOf(buttons),
                    dialogParent_);
    // Messages quote node names, tags and script text, which are never markup; the format is
    // set before the text so that the text is not read as markup even once.
    box.setTextFormat(Qt::PlainText);
    box.setText(FromBytes(text));
    // Closing the box answers Cancel where there is one, else the only button.
    if (buttons == MessageButtons::kYesNo) {
        box.setEscapeButton(QMessageBox::No);
    }
    return AnswerOf(box.exec());
}

std::optional<std::string> QtPlatformServices::ChooseFileToOpen(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::string> QtPlatformServices::ChooseFileToSave(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::optional<std::string> QtPlatformServices::RunFileDialog(const FileDialogRequest& request,
                                                             bool save) {
    QFileDialog dialog(dialogParent_, FromBytes(request.caption), FromPath(request.startDirectory),
                       FilterText(request));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(FromBytes(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    if (!request.fileName.empty()) {
        dialog.selectFile(FromPath(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToPath(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

// On Windows Qt keeps data of this MIME type under the registered clipboard format of that
// name, so other programs that know "NodeCommandList" or "NodeResponseList" read it.
QString QtPlatformServices::ClipboardMimeType(std::string_view format) {
    return "application/x-qt-windows-mime;value=\"" + FromBytes(format) + "\"";
}

void QtPlatformServices::SetClipboardData(std::string_view format, std::string_view bytes) {
    auto* data = new QMimeData;
    data->setData(ClipboardMimeType(format),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> QtPlatformServices::GetClipboardData(std::string_view format) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const QString type = ClipboardMimeType(format);
    if (data == nullptr || !data->hasFormat(type)) {
        return std::nullopt;
    }
    return data->data(type).toStdString();
}

void QtPlatformServices::SetClipboardText(std::string_view text) {
    QApplication::clipboard()->setText(FromBytes(text));
}

std::optional<std::string> QtPlatformServices::GetClipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return ToBytes(data->text());
}

std::string QtPlatformServices::GetProfileString(std::string_view section, std::string_view key,
                                                 std::string_view fallback) {
    const QVariant value = settings_->value(SettingsKey(section, key));
    return value.isValid() ? ToBytes(value.toString()) : std::string(fallback);
}

void QtPlatformServices::WriteProfileString(std::string_view section, std::string_view key,
                                            std::string_view value) {
    settings_->setValue(SettingsKey(section, key), FromBytes(value));
}

int QtPlatformServices::GetProfileInt(std::string_view section, std::string_view key,
                                      int fallback) {
    bool isNumber = false;
    const int value = settings_->value(SettingsKey(section, key)).toInt(&isNumber);
    return isNumber ? value : fallback;
}

void QtPlatformServices::WriteProfileInt(std::string_view section, std::string_view key,
                                         int value) {
    settings_->setValue(SettingsKey(section, key), value);
}

std::string QtPlatformServices::GetWorkingDirectory() {
    return ToPath(QDir::toNativeSeparators(QDir::currentPath()));
}

bool QtPlatformServices::SetWorkingDirectory(std::string_view path) {
    return QDir::setCurrent(FromPath(path));
}

}  // namespace tw
