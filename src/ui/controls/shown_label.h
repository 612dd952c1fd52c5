#pragma once

// The model's text as the controls are given it: a bounded part (model/text/shown_text.h),
// so that no label, cell, tab or title lays out megabytes on the window's thread.

#include <QString>
#include <string_view>

namespace tw {

// One line of at most kLabelLimit characters.
QString ShownLabel(std::string_view bytes);
QString ShownLabel(const QString& text);
// A tooltip that shows a longer part as it is (PlainToolTip).
QString ShownToolTip(std::string_view bytes);
QString ShownToolTip(const QString& text);

}  // namespace tw
