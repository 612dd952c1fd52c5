#pragma once

// Progress for a command that has to run on the window's thread: the window is let paint
// between the command's steps every few milliseconds, so it never misses more than a frame
// (a command shorter than that never turns the loop), and once the command has run a quarter
// of a second a modal progress dialog shows.

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace tw {

class LongCommandProgress {
public:
    static constexpr int kShowAfterMs = 250;
    static constexpr int kPaintEveryMs = 4;

    LongCommandProgress(QWidget* window, QString label);
    ~LongCommandProgress();
    LongCommandProgress(const LongCommandProgress&) = delete;
    LongCommandProgress& operator=(const LongCommandProgress&) = delete;

    // done of total steps are done. Cheap enough to call after every step.
    void Step(int done, int total);
    bool IsShown() const { return dialog_ != nullptr; }

private:
    QWidget* window_;
    QString label_;
    QElapsedTimer started_;
    QElapsedTimer sincePaint_;
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace tw
