#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <string>
#include <vector>

#include "model/dialogue_compile.h"

class QLineEdit;
class QProgressBar;

namespace tw {

class Dialogue;

// "Compiling Dialogue": compiles the whole dialogue a moment after it is shown, then
// closes with OK, or lists the errors and closes with Cancel.
class CCompileDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStartDelayMs = 100;
    // Painting every node would slow a large compile down: about 30 frames a second.
    static constexpr qint64 kRepaintIntervalMs = 33;

    CCompileDlg(Dialogue& dialogue, QWidget* parent = nullptr);

    const std::vector<std::string>& Errors() const { return errors_; }
    QProgressBar* Progress() const { return progress_; }
    QLineEdit* ErrorsFound() const { return errorsFound_; }
    int RepaintCount() const { return repaints_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setupControls();
    void RunCompile();
    void ShowProgress(const CompileProgress& progress);

    Dialogue& dialogue_;
    std::vector<std::string> errors_;
    QProgressBar* progress_;
    QLineEdit* errorsFound_;
    QElapsedTimer sinceRepaint_;
    bool started_ = false;
    bool running_ = false;
    int repaints_ = 0;
};

}  // namespace tw
