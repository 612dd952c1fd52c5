#include "model/dialogue_compile.h"

#include "model/tree_walk.h"
#include "base/byte_string.h"

namespace tw {

int CompileProgress::Percent() const {
    if (total == 0) {
        return 0;
    }
    return static_cast<int>(static_cast<double>(compiled) / static_cast<double>(total) * 100.0);
}

std::string CompileProgress::ErrorsFoundText() const {
    return "Errors found: " + FormatInt(static_cast<std::int64_t>(errors));
}

std::vector<std::string> CompileDialogue(Dialogue& dialogue,
                                         const CompileProgressCallback& progress) {
    CompileProgress state;
    ForEachPreOrder(dialogue.Root(), [&state](DialogueNode&) { ++state.total; });
    std::vector<std::string> errors;
    dialogue.Compile(errors, [&] {
        ++state.compiled;
        state.errors = errors.size();
        if (progress) {
            progress(state);
        }
    });
    return errors;
}

}  // namespace tw
