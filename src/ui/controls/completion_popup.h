#pragma once

// A completion list is a popup: a click outside it closes it, and Qt drops that click, so
// OK pressed while names are offered needed a second press. Here the click that closes the
// list goes on to what it was aimed at.

class QCompleter;

namespace tw {

void PassClosingClickOn(QCompleter* completer);

}  // namespace tw
