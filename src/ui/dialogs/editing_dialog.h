#pragma once

// CEditingDialog: the base of the small modal editing dialogs. It keeps each control under
// its resource id (so that callers and tests reach them by the ids the dialogs are known by),
// shows messages through the platform services and runs nested dialogs through a runner that
// tests can replace.

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/editing/ok_step.h"
#include "model/editing/script_field_check.h"

class QComboBox;
class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace tw {

class PlatformServices;

// Runs a dialog modally and answers its result; exec() unless a test drives the dialog.
using DialogRunner = std::function<int(QDialog&)>;
int RunModal(QDialog& dialog);

class CEditingDialog : public QDialog {
    Q_OBJECT

public:
    CEditingDialog(PlatformServices& services, QWidget* parent);

    // The control with that resource id, or nullptr when it is none of that class.
    template <typename T>
    T* Control(int id) const {
        const auto found = controls_.find(id);
        return found == controls_.end() ? nullptr : qobject_cast<T*>(found->second);
    }
    void SetDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }

protected:
    template <typename T>
    T* Keep(int id, T* control) {
        controls_[id] = control;
        return control;
    }
    QLineEdit* AddEdit(int id, int maxLength);
    // A sorted drop-down of the node names in which a name may also be typed.
    QComboBox* AddNodeBox(int id, const std::vector<std::string>& nodes, int maxLength);
    // A label whose mnemonic and accessible name go to the field.
    QLabel* AddLabel(const QString& text, QWidget* field);
    // OK (the default button, 1) and Cancel (2); OK runs OnOk, which accepts when it may.
    QDialogButtonBox* AddOkCancel();
    virtual void OnOk() = 0;

    std::string TextOf(int id) const;
    void SetTextOf(int id, const std::string& text);
    void ShowError(const std::string& text);
    // The OK of a dialog whose fields pass or fail one check: the first fault is shown and
    // the dialog stays; otherwise the fields become the result and the dialog ends.
    template <typename Fields>
    void AcceptChecked(Fields fields, std::string (*check)(const Fields&), Fields& result) {
        const std::string error = check(fields);
        if (!error.empty()) {
            ShowError(error);
            return;
        }
        result = std::move(fields);
        accept();
    }
    // Shows each step in turn; true when none was an error and every question got Yes.
    bool RunSteps(const OkSteps& steps);
    int RunChild(QDialog& dialog) { return runner_(dialog); }
    PlatformServices& Services() { return services_; }

private:
    PlatformServices& services_;
    DialogRunner runner_ = RunModal;
    std::map<int, QWidget*> controls_;
};

// Offers names for completion in a line edit, matched anywhere and without regard to case
// (so gold finds $gold).
void AddNameCompleter(QLineEdit* edit, const std::vector<std::string>& names);

}  // namespace tw
