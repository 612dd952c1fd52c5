#include "ui/dialogs/error_dlg.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/platform/text_codec.h"

namespace tw {

CErrorDlg::CErrorDlg(const std::vector<std::string>& errors, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), ok_(new QPushButton(tr("OK"), this)) {
    setWindowTitle(tr("Syntax Errors"));
    list_->setAccessibleName(tr("Errors"));
    for (const std::string& error : errors)
        list_->addItem(FromBytes(error));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    resize(640, 260);  // the messages name node and script text: room for both
}

}  // namespace tw
