// Loads arbitrary bytes as a state file through the state editor, then checks that what
// it shows survives a save and a load into a fresh environment.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "script/environment.h"
#include "tester/state_editor.h"

namespace {

// Answers OK to every question, so every line that works is kept.
class AcceptingDisplay : public tw::StateEditorDisplay {
public:
    tw::MessageAnswer ShowMessage(tw::MessageKind, std::string_view, std::string_view,
                                  tw::MessageButtons) override {
        return tw::MessageAnswer::kOk;
    }
    void ShowErrors(const std::vector<std::string>&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    AcceptingDisplay display;
    tw::Environment environment;
    tw::StateEditor editor(environment, display);
    editor.Open(nullptr);
    editor.LoadState(text);

    std::string saved;
    if (!editor.SaveState(saved)) {
        __builtin_trap();
    }
    editor.FillLists();
    tw::Environment reloaded;
    tw::StateEditor reader(reloaded, display);
    reader.Open(nullptr);
    reader.LoadState(saved);
    if (reader.Rows(tw::StateList::kVariables) != editor.Rows(tw::StateList::kVariables) ||
        reader.Rows(tw::StateList::kFlags) != editor.Rows(tw::StateList::kFlags)) {
        __builtin_trap();
    }
    return 0;
}
