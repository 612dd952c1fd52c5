#include "ui/controls/style_edit_ctrl.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "model/text/rtf_reader.h"
#include "model/text/rtf_writer.h"
#include "model/text/styled_text.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

TextStyle StyleOf(const QTextCharFormat& format) {
    TextStyle style;
    style.bold = format.fontWeight() >= QFont::Bold;
    style.italic = format.fontItalic();
    style.underline = format.fontUnderline();
    if (format.foreground().style() != Qt::NoBrush) {
        const QColor color = format.foreground().color();
        style.color = TextColor{static_cast<std::uint8_t>(color.red()),
                                static_cast<std::uint8_t>(color.green()),
                                static_cast<std::uint8_t>(color.blue())};
    }
    return style;
}

// Black is the text's automatic colour: it is drawn in the palette's text colour, so plain
// text stays readable on a dark desktop, and reads back as black.
QBrush ForegroundOf(const TextColor& color) {
    if (color == TextColor{}) {
        return QBrush();
    }
    return QColor(color.red, color.green, color.blue);
}

QTextCharFormat FormatOf(const TextStyle& style) {
    QTextCharFormat format;
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    format.setForeground(ForegroundOf(style.color));
    return format;
}

// Qt's line and paragraph separators are the box's line breaks.
std::string FragmentBytes(QString text) {
    text.replace(QChar::LineSeparator, '\n').replace(QChar::ParagraphSeparator, '\n');
    return ToBytes(text);
}

// Inserts text, turning "\r\n", '\r' and '\n' into paragraph breaks.
void InsertWithBreaks(QTextCursor& cursor, const std::string& text, const QTextCharFormat& format) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool atEnd = i == text.size();
        if (!atEnd && text[i] != '\n' && text[i] != '\r') {
            continue;
        }
        cursor.insertText(FromBytes(std::string_view(text).substr(start, i - start)), format);
        if (atEnd) {
            break;
        }
        cursor.insertBlock(QTextBlockFormat(), format);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
}

}  // namespace

CStyleEditCtrl::CStyleEditCtrl(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(false);
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (onChange_) {
            onChange_();
        }
    });
}

void CStyleEditCtrl::Init() {
    const QTextCharFormat plain = FormatOf(TextStyle{});
    setCurrentCharFormat(plain);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockCharFormat(plain);
}

void CStyleEditCtrl::SetBackgroundColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Base, color);
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
}

void CStyleEditCtrl::ResetBackgroundColor() {
    setPalette(QPalette());
}

// A paragraph break has the format of the separator before its block.
RichText CStyleEditCtrl::GetRichText() const {
    RichText rich;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) {
            AppendText(rich, StyleOf(block.charFormat()), "\n");
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            AppendText(rich, StyleOf(fragment.charFormat()), FragmentBytes(fragment.text()));
        }
    }
    return rich;
}

void CStyleEditCtrl::SetRichText(const RichText& rich) {
    clear();
    // A document with no page size is not laid out as it changes. Given its size back, it lays
    // out the top of the new text at once and the rest in slices while the window goes on.
    const QSizeF page = document()->pageSize();
    document()->setPageSize(QSizeF(0, 0));
    // The box's own cursor is out of the text while it goes in: carried to the end, it would be
    // asked for its place there as it moved back, and that lays the whole text out at once.
    setTextCursor(QTextCursor());
    QTextCursor cursor(document());
    for (const TextRun& run : rich) {
        InsertWithBreaks(cursor, run.text, FormatOf(run.style));
    }
    document()->setPageSize(page);
    cursor.setPosition(0);
    setTextCursor(cursor);
    setCurrentCharFormat(FormatOf(rich.empty() ? TextStyle{} : rich.front().style));
}

std::string CStyleEditCtrl::GetRTF() const {
    return WriteRtf(GetRichText());
}

void CStyleEditCtrl::SetRTF(std::string_view rtf) {
    setUpdatesEnabled(false);
    SetRichText(ReadRtf(rtf));
    setUpdatesEnabled(true);
    viewport()->update();
}

std::string CStyleEditCtrl::GetStyledText() const {
    return EncodeStyledText(GetRichText());
}

void CStyleEditCtrl::SetStyledText(std::string_view markup) {
    SetRichText(DecodeStyledText(markup));
}

void CStyleEditCtrl::MergeFormat(const QTextCharFormat& format) {
    mergeCurrentCharFormat(format);
}

void CStyleEditCtrl::SetBold(bool on) {
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MergeFormat(format);
}

void CStyleEditCtrl::SetUnderline(bool on) {
    QTextCharFormat format;
    format.setFontUnderline(on);
    MergeFormat(format);
}

void CStyleEditCtrl::SetItalic(bool on) {
    QTextCharFormat format;
    format.setFontItalic(on);
    MergeFormat(format);
}

void CStyleEditCtrl::SetColor(int red, int green, int blue) {
    QTextCharFormat format;
    format.setForeground(
        ForegroundOf(TextColor{static_cast<std::uint8_t>(std::clamp(red, 0, 255)),
                               static_cast<std::uint8_t>(std::clamp(green, 0, 255)),
                               static_cast<std::uint8_t>(std::clamp(blue, 0, 255))}));
    MergeFormat(format);
}

// The style of the first selected character, or the one at the insertion point.
TextStyle CStyleEditCtrl::SelectionStyle() const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        return StyleOf(currentCharFormat());
    }
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart() + 1);
    return StyleOf(first.charFormat());
}

bool CStyleEditCtrl::SelectionHas(bool TextStyle::*flag) const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        return StyleOf(currentCharFormat()).*flag;
    }
    QTextCursor walk(document());
    for (int pos = cursor.selectionStart() + 1; pos <= cursor.selectionEnd(); ++pos) {
        walk.setPosition(pos);
        if (!(StyleOf(walk.charFormat()).*flag)) {
            return false;
        }
    }
    return true;
}

bool CStyleEditCtrl::IsBold() const {
    return SelectionHas(&TextStyle::bold);
}

bool CStyleEditCtrl::IsUnderline() const {
    return SelectionHas(&TextStyle::underline);
}

bool CStyleEditCtrl::IsItalic() const {
    return SelectionHas(&TextStyle::italic);
}

std::uint32_t CStyleEditCtrl::GetColorRef() const {
    const TextColor color = SelectionStyle().color;
    return color.red | (color.green << 8) | (color.blue << 16);
}

void CStyleEditCtrl::GetColor(int& red, int& green, int& blue) const {
    const TextColor color = SelectionStyle().color;
    red = color.red;
    green = color.green;
    blue = color.blue;
}

int CStyleEditCtrl::GetRed() const {
    return SelectionStyle().color.red;
}

int CStyleEditCtrl::GetGreen() const {
    return SelectionStyle().color.green;
}

int CStyleEditCtrl::GetBlue() const {
    return SelectionStyle().color.blue;
}

bool CStyleEditCtrl::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && source->hasText();
}

// Formatted content never enters the box: only the text, in the format at the cursor, and
// only characters that the model's code page holds.
void CStyleEditCtrl::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        return;
    }
    QString text = source->text();
    text.replace("\r\n", "\n").replace('\r', '\n');
    textCursor().insertText(FromBytes(ToBytes(text)));
    ensureCursorVisible();
}

void CStyleEditCtrl::PastePlainText() {
    insertFromMimeData(QApplication::clipboard()->mimeData());
}

void CStyleEditCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::ControlModifier) {
        switch (event->key()) {
            case Qt::Key_B:
                SetBold(!IsBold());
                return;
            case Qt::Key_U:
                SetUnderline(!IsUnderline());
                return;
            case Qt::Key_L:
                SetItalic(!IsItalic());
                return;
            case Qt::Key_V:
                PastePlainText();
                return;
            default:
                break;
        }
    }
    QTextEdit::keyPressEvent(event);
}

void CStyleEditCtrl::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    if (onFocusLost_) {
        onFocusLost_();
    }
}

void CStyleEditCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && onRightButton_) {
        onRightButton_();
    }
    QTextEdit::mouseReleaseEvent(event);
}

// With an owner's menu, the box's own menu would open a second one.
void CStyleEditCtrl::contextMenuEvent(QContextMenuEvent* event) {
    if (!onRightButton_) {
        QTextEdit::contextMenuEvent(event);
        return;
    }
    if (event->reason() != QContextMenuEvent::Mouse) {
        onRightButton_();
    }
    event->accept();
}

}  // namespace tw
