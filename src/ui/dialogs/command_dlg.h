#pragma once

#include <map>
#include <memory>
#include <vector>

#include "model/editing/command_dialog_rules.h"
#include "model/editing/dialogue_names.h"
#include "ui/dialogs/editing_dialog.h"

class QCheckBox;
class QGridLayout;
class QRadioButton;

namespace tw {

class NodeCommand;

// "Add Command" / "Edit Command": one node command of any kind, with an optional condition.
class CCommandDlg : public CEditingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 146;

    // command is the one to edit, or none for a new one; names are the document's.
    CCommandDlg(PlatformServices& services, const NodeCommand* command, const DialogueNames& names,
                QWidget* parent = nullptr);
    ~CCommandDlg() override;

    CommandFields Fields() const;
    // The command built on OK (none when no kind was chosen); the caller takes it.
    std::unique_ptr<NodeCommand> TakeCommand() { return std::move(command_); }

protected:
    void OnOk() override;

private:
    void SetupManualAndReply(QGridLayout* grid);
    void SetupFlags(QGridLayout* grid);
    void SetupAssignments(QGridLayout* grid);
    void SetupBranches(QGridLayout* grid);
    void SetupCondition(QGridLayout* grid);
    QRadioButton* AddRadio(int id, const QString& caption, QGridLayout* grid, int row);
    QWidget* AddButton(int id, const QString& caption);
    QLineEdit* AddScriptEdit(int id, int maxLength, QGridLayout* grid, int row, int column,
                             int span);
    void ShowFields(const CommandFields& fields);
    void OnRadio(int id);
    void OnChoose(int editId);
    void OnDescribe(int radioId);

    DialogueNames names_;
    // The kind controls each radio enables.
    std::map<int, std::vector<QWidget*>> kindControls_;
    std::optional<YesNoFields> yesNo_;
    std::optional<ListFields> list_;
    std::unique_ptr<NodeCommand> command_;
    int row_ = 0;
};

}  // namespace tw
