#pragma once

#include <cstdint>

namespace tw::bench {

// Prints the resident memory a loaded dialogue of that many nodes takes alone and in the
// editor's main window (document, tree and views); answers the exit status.
int ReportEditorMemory(std::int64_t nodes);

}  // namespace tw::bench
