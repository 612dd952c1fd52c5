#pragma once

// The model's bytes are Windows-1252; Qt speaks Unicode. These convert at the boundary.

#include <QString>
#include <string>
#include <string_view>

namespace tw {

QString FromBytes(std::string_view bytes);
// A character outside Windows-1252 becomes '?'.
std::string ToBytes(const QString& text);

// File-system paths are the platform's own bytes, not Windows-1252.
QString FromPath(std::string_view path);
std::string ToPath(const QString& path);

}  // namespace tw
