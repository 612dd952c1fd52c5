#pragma once

#include <QLineEdit>
#include <optional>

namespace tw {

class EnhancedListCtrl;

// The short-lived edit box placed over one cell of an EnhancedListCtrl. Enter or losing the
// focus ends the edit with its text, Escape ends it without; either way it then goes away.
class CInPlaceEdit : public QLineEdit {
    Q_OBJECT

public:
    CInPlaceEdit(EnhancedListCtrl& list, int row, int column, const QString& text);

    int Row() const { return row_; }
    int Column() const { return column_; }
    const QString& InitialText() const { return initialText_; }
    bool IsCancelled() const { return cancelled_; }

    // Reports the end of the edit to the list (once) and deletes the editor later.
    void Finish();
    // Ends the edit without reporting it, for a list that is going away.
    void Abandon() { finished_ = true; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void GrowToText();

    EnhancedListCtrl& list_;
    int row_;
    int column_;
    QString initialText_;
    bool cancelled_ = false;
    bool finished_ = false;
};

}  // namespace tw
