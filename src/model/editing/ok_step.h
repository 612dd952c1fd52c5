#pragma once

#include <string>
#include <vector>

namespace tw {

// One message a dialog's OK shows in turn: an error ends the OK with the dialog still open;
// a question ("Warning", Yes/No) ends it only when answered No.
struct OkStep {
    enum Kind { kError, kQuestion };
    Kind kind = kError;
    std::string text;
    bool operator==(const OkStep&) const = default;
};

using OkSteps = std::vector<OkStep>;

// True when the steps end in an error: the dialog stays open whatever the answers.
inline bool EndsInError(const OkSteps& steps) {
    return !steps.empty() && steps.back().kind == OkStep::kError;
}

}  // namespace tw
