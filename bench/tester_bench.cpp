// The tester entering every node of a dialogue once, with substitution of the node and
// response texts, through the run engine and a display that shows nothing.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_corpus.h"
#include "model/tree_walk.h"
#include "script/environment.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/test_display.h"
#include "tester/test_engine.h"

namespace tw::bench {
namespace {

// A display that drops everything and answers every question with Yes or OK, so a run
// goes on past runtime errors.
class NullDisplay : public TestDisplay {
public:
    MessageAnswer ShowMessage(MessageKind, std::string_view, std::string_view,
                              MessageButtons buttons) override {
        return buttons == MessageButtons::kYesNo ? MessageAnswer::kYes : MessageAnswer::kOk;
    }
    void SetField(TestField, const std::string&) override {}
    void SetNodeText(const std::string& text, bool) override { benchmark::DoNotOptimize(text); }
    void ClearCommands() override {}
    void AddCommand(const CommandRow&) override {}
    void ClearResponses() override {}
    void AddResponse(const std::string&) override {}
    void ClearMessages() override {}
    void AddMessage(const std::string&) override {}
    void EnableControl(TestControl, bool) override {}
    void ClearTypedResponse() override {}
};

void BM_TesterEnterNodes(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    Dialogue& dialogue = *corpus.dialogue;
    std::vector<std::string> errors;
    dialogue.Compile(errors);
    if (!errors.empty()) {
        state.SkipWithError("the generated dialogue does not compile clean");
        return;
    }
    std::vector<DialogueNode*> nodes;
    ForEachPreOrder(dialogue.Root(), [&nodes](DialogueNode& node) { nodes.push_back(&node); });
    const PartySettings party;
    NullDisplay display;
    for (auto _ : state) {
        Environment environment;
        RandomSource random(1);
        TestEngine engine(dialogue, environment, party, random, display);
        for (DialogueNode* node : nodes) {
            engine.EnterNode(*node);
        }
        benchmark::DoNotOptimize(engine.ResponseRows());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * nodes.size()));
}
BENCHMARK(BM_TesterEnterNodes)->Apply(DialogueSizes);

}  // namespace
}  // namespace tw::bench
