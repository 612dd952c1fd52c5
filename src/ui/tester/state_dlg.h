#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "tester/state_editor.h"
#include "ui/platform/platform_services.h"

class QKeyEvent;
class QPushButton;

namespace tw {

class EnhancedListCtrl;
class Environment;

// "Dialogue State": the test environment as two editable lists. The rules live in
// StateEditor; the window shows its rows and forwards edits, keys and buttons.
class CStateDlg : public QDialog, public StateEditorDisplay {
    Q_OBJECT
public:
    // With a default state file the editor loads it on opening (a missing file is quiet).
    CStateDlg(Environment& environment, const std::filesystem::path* defaultStateFile,
              PlatformServices& services, QWidget* parent = nullptr);

    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override;
    void ShowErrors(const std::vector<std::string>& errors) override;

    StateEditor& Editor() { return editor_; }
    EnhancedListCtrl* List(StateList list) const;
    QPushButton* Button(const QString& caption) const;
    // Shows the editor's rows again, after any change of them.
    void Refill();

    // OK, Escape and the close box all apply the lists.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupLists();
    void setupButtons();
    void setupLayout();
    EnhancedListCtrl* MakeList(StateList list, const QString& nameColumn, int nameWidth);
    void FillList(StateList list);
    void DeleteSelectedRows(StateList list);
    void EditCurrentRow(StateList list);
    bool StartTypingNewEntry(StateList list, QKeyEvent& key);
    void OnOk();
    void OnSave();
    void OnLoad();
    FileDialogRequest StateFileRequest(const char* caption) const;

    PlatformServices& services_;
    StateEditor editor_;
    EnhancedListCtrl* lists_[2] = {};
    std::vector<QPushButton*> buttons_;
};

}  // namespace tw
