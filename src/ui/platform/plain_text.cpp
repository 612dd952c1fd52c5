#include "ui/platform/plain_text.h"

#include <QTextDocument>

namespace tw {

// Qt shows a tooltip as markup exactly when mightBeRichText says so; only such texts need
// escaping, and every other tooltip stays the text itself.
QString PlainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    return "<p style='white-space:pre'>" + text.toHtmlEscaped() + "</p>";
}

}  // namespace tw
