#pragma once

// "Links to This Node": every command and response that leads to a node, to pick one and go
// there.

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace tw {

class CLinksDlg : public QDialog {
    Q_OBJECT

public:
    CLinksDlg(const QString& nodeLabel, const QStringList& links, QWidget* parent = nullptr);

    // The chosen row, or -1.
    int Chosen() const;
    QListWidget* List() const { return list_; }

private:
    QListWidget* list_ = nullptr;
};

}  // namespace tw
