#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace tw {

// "Syntax Errors": the modal list of messages of a compile or of the state editor.
class CErrorDlg : public QDialog {
    Q_OBJECT
public:
    CErrorDlg(const std::vector<std::string>& errors, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QListWidget* list_;
    QPushButton* ok_;
};

}  // namespace tw
