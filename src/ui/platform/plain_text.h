#pragma once

// Dialogue text is the writer's own words: Qt guesses from a string's first tag whether it
// is markup, and a node named <img src="..."> would have it load that file. Every place that
// shows such text takes it literally.

#include <QString>

namespace tw {

// A tooltip that shows the text as it is: tooltips have no plain-text switch, so a text Qt
// would read as markup goes escaped into markup that keeps its spaces and line breaks.
QString PlainToolTip(const QString& text);

}  // namespace tw
