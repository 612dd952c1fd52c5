#include "ui/controls/long_command_progress.h"

#include <QApplication>
#include <QProgressDialog>
#include <utility>

namespace tw {

LongCommandProgress::LongCommandProgress(QWidget* window, QString label)
    : window_(window), label_(std::move(label)) {
    started_.start();
    sincePaint_.start();
}

LongCommandProgress::~LongCommandProgress() = default;

// The writer's input waits (it is left in the queue, and once shown the dialog is modal);
// paints, timers and other threads' results are let through.
void LongCommandProgress::Step(int done, int total) {
    if (sincePaint_.elapsed() < kPaintEveryMs) {
        return;
    }
    if (dialog_ == nullptr && started_.elapsed() >= kShowAfterMs) {
        dialog_ = std::make_unique<QProgressDialog>(label_, QString(), 0, total, window_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->show();
    }
    if (dialog_ != nullptr) {
        dialog_->setMaximum(total);
        dialog_->setValue(done);
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaint_.restart();
}

}  // namespace tw
