#include "ui/dialogs/compile_dlg.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

#include "ui/controls/read_only_field.h"
#include "ui/dialogs/error_dlg.h"
#include "ui/platform/text_codec.h"

namespace tw {

CCompileDlg::CCompileDlg(Dialogue& dialogue, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      dialogue_(dialogue),
      progress_(new QProgressBar(this)),
      errorsFound_(new QLineEdit(this)) {
    setWindowTitle(tr("Compiling Dialogue"));
    setupControls();
}

void CCompileDlg::setupControls() {
    progress_->setRange(0, 100);
    progress_->setValue(0);
    SetReadOnlyField(errorsFound_, true);
    errorsFound_->setAccessibleName(tr("Errors found"));
    errorsFound_->setText(FromBytes(CompileProgress{}.ErrorsFoundText()));
    auto* layout = new QFormLayout(this);
    auto* label = new QLabel(tr("Progress:"), this);
    label->setBuddy(progress_);
    layout->addRow(label, progress_);
    layout->addRow(errorsFound_);
    setMinimumWidth(360);
}

void CCompileDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    QTimer::singleShot(kStartDelayMs, this, &CCompileDlg::RunCompile);
}

// No button and no close box: the compile cannot be interrupted.
void CCompileDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return event->accept();
    QDialog::keyPressEvent(event);
}

void CCompileDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void CCompileDlg::RunCompile() {
    running_ = true;
    sinceRepaint_.start();
    errors_ = CompileDialogue(dialogue_, [this](const CompileProgress& p) { ShowProgress(p); });
    running_ = false;
    if (errors_.empty())
        return accept();
    CErrorDlg list(errors_, this);
    list.exec();
    reject();
}

void CCompileDlg::ShowProgress(const CompileProgress& progress) {
    const bool last = progress.compiled == progress.total;
    if (!last && sinceRepaint_.elapsed() < kRepaintIntervalMs)
        return;
    sinceRepaint_.restart();
    progress_->setValue(progress.Percent());
    errorsFound_->setText(FromBytes(progress.ErrorsFoundText()));
    repaint();
    ++repaints_;
}

}  // namespace tw
