// What any loader that builds the model's objects pays at the least: the plain read, one
// heap string for every string field of the document that outgrows a string's own room,
// and one allocation for every node, command, response and condition. Beside BM_Load it
// shows how much of a load is the model's shape rather than parsing.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "bench_corpus.h"
#include "model/tree_walk.h"

namespace tw::bench {
namespace {

struct Shape {
    std::vector<std::string_view> strings;
    std::vector<std::size_t> objects;  // the size of each object the document holds
};

void AddResponse(const NodeResponse& response, Shape& shape) {
    shape.objects.push_back(sizeof(NodeResponseAdd));
    shape.strings.push_back(response.GetTag());
    if (const auto* add = dynamic_cast<const NodeResponseAdd*>(&response)) {
        shape.strings.push_back(add->GetPlayerText());
        shape.strings.push_back(add->GetGotoNode());
    } else if (const auto* cut = dynamic_cast<const NodeResponseCut*>(&response)) {
        shape.strings.push_back(cut->GetCutTag());
    }
    if (const Conditional* condition = response.GetCondition()) {
        shape.objects.push_back(sizeof(Conditional));
        shape.strings.push_back(condition->GetExpression());
    }
}

void AddNode(const DialogueNode& node, Shape& shape) {
    shape.objects.push_back(sizeof(DialogueNode));
    for (std::string_view text :
         {std::string_view(node.GetName()), std::string_view(node.GetText()),
          std::string_view(node.GetComments()), std::string_view(node.GetDescription())}) {
        shape.strings.push_back(text);
    }
    for (const auto& command : node.Commands()) {
        shape.objects.push_back(sizeof(NodeCommand) + 64);  // the kind's fields
        shape.strings.push_back(command->GetText());
        if (const Conditional* condition = command->GetCondition()) {
            shape.objects.push_back(sizeof(Conditional));
            shape.strings.push_back(condition->GetExpression());
        }
    }
    for (const auto& response : node.Responses()) {
        AddResponse(*response, shape);
    }
}

const Shape& ShapeOf(const Corpus& corpus) {
    static std::vector<std::pair<const Corpus*, Shape>> shapes;
    for (const auto& [known, shape] : shapes) {
        if (known == &corpus) {
            return shape;
        }
    }
    Shape shape;
    ForEachPreOrder(corpus.dialogue->Root(),
                    [&shape](const DialogueNode& node) { AddNode(node, shape); });
    return shapes.emplace_back(&corpus, std::move(shape)).second;
}

void BM_Load_ObjectFloor(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const Shape& shape = ShapeOf(corpus);
    const std::string path = ScratchPath(corpus, "load.vrx");
    WritePlain(path, corpus.bytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPlain(path));
        std::vector<std::string> strings(shape.strings.begin(), shape.strings.end());
        std::vector<void*> objects;
        objects.reserve(shape.objects.size());
        for (std::size_t size : shape.objects) {
            objects.push_back(::operator new(size));
        }
        benchmark::DoNotOptimize(objects.data());
        state.PauseTiming();
        for (void* object : objects) {
            ::operator delete(object);
        }
        strings = {};
        state.ResumeTiming();
    }
    state.counters["strings"] = static_cast<double>(shape.strings.size());
    state.counters["objects"] = static_cast<double>(shape.objects.size());
}
BENCHMARK(BM_Load_ObjectFloor)->Apply(DialogueSizes);

}  // namespace
}  // namespace tw::bench
