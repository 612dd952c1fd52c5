#include "ui/dialogs/recover_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

CRecoverDlg::CRecoverDlg(const std::vector<RecoveryRow>& rows, QWidget* parent)
    : QDialog(parent),
      list_(new QTreeWidget(this)),
      recover_(new QPushButton(tr("Recover"), this)),
      discard_(new QPushButton(tr("Discard"), this)) {
    setWindowTitle(tr("Recover Unsaved Work"));
    list_->setObjectName("recoveryCopies");
    list_->setAccessibleName(tr("Recovery copies"));
    list_->setHeaderLabels({tr("File"), tr("NPC"), tr("Time")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setTextElideMode(Qt::ElideMiddle);
    for (const RecoveryRow& row : rows) {
        auto* item = new QTreeWidgetItem(list_, {row.file, row.npc, row.time});
        item->setToolTip(0, row.file);
        item->setSelected(true);
    }
    list_->header()->setSectionResizeMode(QHeaderView::Interactive);
    list_->setColumnWidth(0, 260);
    list_->setColumnWidth(1, 160);
    recover_->setObjectName("recover");
    discard_->setObjectName("discard");
    recover_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(recover_, QDialogButtonBox::AcceptRole);
    buttons->addButton(discard_, QDialogButtonBox::DestructiveRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(recover_, &QPushButton::clicked, this, [this] { Choose(Choice::kRecover); });
    connect(discard_, &QPushButton::clicked, this, [this] { Choose(Choice::kDiscard); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The editor ended without saving this work:"), this));
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(620, 280);
}

void CRecoverDlg::UpdateButtons() {
    const bool any = !list_->selectedItems().isEmpty();
    recover_->setEnabled(any);
    discard_->setEnabled(any);
}

void CRecoverDlg::Choose(Choice choice) {
    chosen_.clear();
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        if (list_->topLevelItem(row)->isSelected()) {
            chosen_.push_back(static_cast<std::size_t>(row));
        }
    }
    choice_ = choice;
    accept();
}

}  // namespace tw
