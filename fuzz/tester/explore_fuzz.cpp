// Explores any dialogue the JSON reader accepts, with small bounds: the explorer must come
// back from whatever a dialogue does, and every finding it reports must name a node of the
// dialogue, with a road when it is about something a road met.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/dialogue_json.h"
#include "tester/explore/dialogue_explorer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tw::Dialogue dialogue;
    if (tw::DialogueFromJson(text, dialogue)) {
        return 0;
    }
    tw::ExploreOptions options;
    options.maxStates = 64;
    options.maxQuestionsPerStep = 3;
    options.seeds = {1, 2};
    const tw::ExploreResult result = tw::ExploreDialogue(dialogue, nullptr, options);
    for (const tw::ExploreFinding& found : result.findings) {
        const bool aboutARoad = found.finding.rule == tw::kRuleRuntimeError ||
                                found.finding.rule == tw::kRuleDeadEnd ||
                                found.finding.rule == tw::kRuleNoWayOut;
        if (found.finding.node == nullptr || found.hasRoad != aboutARoad) {
            __builtin_trap();
        }
    }
    if (result.states > 2 * options.maxStates) {
        __builtin_trap();
    }
    return 0;
}
