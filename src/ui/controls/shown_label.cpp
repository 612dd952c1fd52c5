#include "ui/controls/shown_label.h"

#include <algorithm>

#include "model/text/shown_text.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

// Only the characters up to one past the limit decide the cut, so a huge text is never
// converted whole.
QString Shown(const QString& text, ShownTextLimit limit) {
    const qsizetype decisive = std::min(static_cast<qsizetype>(limit.characters) + 1, text.size());
    return FromBytes(ShownText(ToBytes(text.first(decisive)), limit));
}

}  // namespace

QString ShownLabel(std::string_view bytes) {
    return FromBytes(ShownText(bytes, kLabelLimit));
}

QString ShownLabel(const QString& text) {
    return Shown(text, kLabelLimit);
}

QString ShownToolTip(std::string_view bytes) {
    return PlainToolTip(FromBytes(ShownText(bytes, kTipLimit)));
}

QString ShownToolTip(const QString& text) {
    return PlainToolTip(Shown(text, kTipLimit));
}

}  // namespace tw
