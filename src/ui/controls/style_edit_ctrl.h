#pragma once

#include <QTextEdit>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/text/rich_text.h"

namespace tw {

// The rich-text box of node texts and NPC comments: bold, italic, underline and a text
// colour, plain-text paste only, the content as RTF or as a compact styled-text markup of
// control bytes. Text crosses this box as Windows-1252 bytes.
class CStyleEditCtrl : public QTextEdit {
    Q_OBJECT

public:
    using Callback = std::function<void()>;

    explicit CStyleEditCtrl(QWidget* parent = nullptr);

    void SetChangeHandler(Callback callback) { onChange_ = std::move(callback); }
    void SetFocusLostHandler(Callback callback) { onFocusLost_ = std::move(callback); }
    void SetRightButtonHandler(Callback callback) { onRightButton_ = std::move(callback); }

    // Plain black as the default format of new text.
    void Init();
    void SetBackgroundColor(const QColor& color);
    void ResetBackgroundColor();

    std::string GetRTF() const;
    void SetRTF(std::string_view rtf);
    RichText GetRichText() const;
    void SetRichText(const RichText& rich);
    std::string GetStyledText() const;
    void SetStyledText(std::string_view markup);

    // Switch a style for the selection, or for what is typed next.
    void SetBold(bool on);
    void SetUnderline(bool on);
    void SetItalic(bool on);
    // Whether the whole selection (the insertion point when none) has the style.
    bool IsBold() const;
    bool IsUnderline() const;
    bool IsItalic() const;
    void SetColor(int red, int green, int blue);
    // 0x00BBGGRR, the platform's colour reference layout.
    std::uint32_t GetColorRef() const;
    void GetColor(int& red, int& green, int& blue) const;
    int GetRed() const;
    int GetGreen() const;
    int GetBlue() const;

    // Inserts the clipboard's plain text in the format at the insertion point.
    void PastePlainText();

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TextStyle SelectionStyle() const;
    bool SelectionHas(bool TextStyle::*flag) const;
    void MergeFormat(const QTextCharFormat& format);

    Callback onChange_;
    Callback onFocusLost_;
    Callback onRightButton_;
};

}  // namespace tw
