#pragma once

// The JSON form as the JSON library prints it: the whole document built as one ordered
// value and dumped with an indent of 2. The hand-written printer must match it byte for
// byte.

#include <string>

#include "model/dialogue.h"

namespace tw::test {

std::string LibraryPrintedJson(const Dialogue& dialogue);

}  // namespace tw::test
