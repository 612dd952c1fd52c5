#pragma once

// The window's splitters keep where the writer left them, in the profile beside the
// window's size.

#include <string>

class QSplitter;

namespace tw {

class PlatformServices;

// Sets the splitter's sizes from the profile key; a missing or damaged entry keeps the
// sizes it has.
void RestoreSplitter(QSplitter& splitter, PlatformServices& services, const std::string& section,
                     const char* key);
void SaveSplitter(const QSplitter& splitter, PlatformServices& services, const std::string& section,
                  const char* key);

}  // namespace tw
