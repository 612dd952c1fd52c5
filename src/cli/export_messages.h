#pragma once

#include <string>

#include "cli/shown_path.h"
#include "export/export_file.h"

namespace tw::cli {

// A failed export's message as a line of its own: the bare "Unable to create output file"
// gets the output path in front; the others already name it.
inline std::string ExportFailureLine(const std::string& output, const std::string& message) {
    return message == kUnableToCreateOutputFile ? ShownPath(output) + ": " + message
                                                : WithShownPaths(message, {output});
}

}  // namespace tw::cli
