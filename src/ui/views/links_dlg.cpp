#include "ui/views/links_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

CLinksDlg::CLinksDlg(const QString& nodeLabel, const QStringList& links, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Links to This Node");
    auto* layout = new QVBoxLayout(this);
    // The node's label is shown as written: no markup, and an '&' in it is no mnemonic.
    const QString shown = QString(nodeLabel).replace('&', "&&");
    auto* caption = new QLabel(this);
    caption->setTextFormat(Qt::PlainText);
    caption->setText(links.isEmpty() ? "Nothing leads to " + shown + "."
                                     : "&Leading to " + shown + ":");
    list_ = new QListWidget(this);
    list_->addItems(links);
    list_->setCurrentRow(links.isEmpty() ? -1 : 0);
    list_->setMinimumWidth(420);
    caption->setBuddy(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("&Go to");
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!links.isEmpty());
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
}

int CLinksDlg::Chosen() const {
    return result() == QDialog::Accepted ? list_->currentRow() : -1;
}

}  // namespace tw
