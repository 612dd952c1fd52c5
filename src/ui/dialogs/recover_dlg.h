#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace tw {

// One recovery copy as the window lists it.
struct RecoveryRow {
    QString file;  // the original file's name, or "Untitled"
    QString npc;
    QString time;
};

// "Recover Unsaved Work": the copies of unsaved work an editor left, with "Recover" and
// "Discard" for the chosen ones (all of them at first). Closing the window keeps them all.
class CRecoverDlg : public QDialog {
    Q_OBJECT

public:
    enum class Choice { kKeep, kRecover, kDiscard };

    explicit CRecoverDlg(const std::vector<RecoveryRow>& rows, QWidget* parent = nullptr);

    Choice GetChoice() const { return choice_; }
    // The rows chosen when Recover or Discard was pressed, in list order.
    std::vector<std::size_t> ChosenRows() const { return chosen_; }

private:
    void Choose(Choice choice);
    void UpdateButtons();

    QTreeWidget* list_;
    QPushButton* recover_;
    QPushButton* discard_;
    Choice choice_ = Choice::kKeep;
    std::vector<std::size_t> chosen_;
};

}  // namespace tw
