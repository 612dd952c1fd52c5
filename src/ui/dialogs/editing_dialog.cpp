#include "ui/dialogs/editing_dialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/controls/completion_popup.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

QStringList ToStringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list << FromBytes(name);
    }
    return list;
}

QString WithoutMnemonic(QString text) {
    return text.remove('&');
}

}  // namespace

int RunModal(QDialog& dialog) {
    return dialog.exec();
}

CEditingDialog::CEditingDialog(PlatformServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {}

QLineEdit* CEditingDialog::AddEdit(int id, int maxLength) {
    auto* edit = Keep(id, new QLineEdit(this));
    edit->setMaxLength(maxLength);
    return edit;
}

QComboBox* CEditingDialog::AddNodeBox(int id, const std::vector<std::string>& nodes,
                                      int maxLength) {
    auto* box = Keep(id, new QComboBox(this));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    QStringList names = ToStringList(nodes);
    names.sort(Qt::CaseInsensitive);
    box->addItems(names);
    box->setCurrentIndex(-1);
    box->lineEdit()->setMaxLength(maxLength);
    box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    box->completer()->setFilterMode(Qt::MatchContains);
    PassClosingClickOn(box->completer());
    return box;
}

QLabel* CEditingDialog::AddLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text, this);
    label->setBuddy(field);
    field->setAccessibleName(WithoutMnemonic(text));
    return label;
}

QDialogButtonBox* CEditingDialog::AddOkCancel() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = Keep(1, buttons->button(QDialogButtonBox::Ok));
    Keep(2, buttons->button(QDialogButtonBox::Cancel));
    ok->setText("OK");
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOk(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

std::string CEditingDialog::TextOf(int id) const {
    if (auto* box = Control<QComboBox>(id)) {
        return ToBytes(box->currentText());
    }
    auto* edit = Control<QLineEdit>(id);
    return edit ? ToBytes(edit->text()) : std::string{};
}

void CEditingDialog::SetTextOf(int id, const std::string& text) {
    if (auto* box = Control<QComboBox>(id)) {
        box->setEditText(FromBytes(text));
    } else if (auto* edit = Control<QLineEdit>(id)) {
        edit->setText(FromBytes(text));
        edit->setCursorPosition(0);
    }
}

void CEditingDialog::ShowError(const std::string& text) {
    services_.ShowMessage(MessageKind::kError, "Error", text, MessageButtons::kOk);
}

bool CEditingDialog::RunSteps(const OkSteps& steps) {
    for (const OkStep& step : steps) {
        if (step.kind == OkStep::kError) {
            ShowError(step.text);
            return false;
        }
        if (services_.ShowMessage(MessageKind::kWarning, "Warning", step.text,
                                  MessageButtons::kYesNo) != MessageAnswer::kYes) {
            return false;
        }
    }
    return true;
}

void AddNameCompleter(QLineEdit* edit, const std::vector<std::string>& names) {
    auto* completer = new QCompleter(ToStringList(names), edit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    edit->setCompleter(completer);
    PassClosingClickOn(completer);
}

}  // namespace tw
