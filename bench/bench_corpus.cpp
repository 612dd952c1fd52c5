#include "bench_corpus.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "export/dialogue_export.h"
#include "generator/dialogue_generator.h"
#include "lua_form.h"
#include "model/dialogue_json.h"
#include "model/tree_walk.h"

namespace tw::bench {
namespace {

constexpr std::uint64_t kSeed = 2026;

void CollectLines(Corpus& corpus) {
    ForEachPreOrder(
        static_cast<const DialogueNode&>(corpus.dialogue->Root()),
        [&corpus](const DialogueNode& node) {
            for (const auto& command : node.Commands()) {
                corpus.statements.push_back(command->GetScriptText());
                corpus.lua += LuaStatement(*command);
                corpus.lua += '\n';
            }
            for (const auto& response : node.Responses()) {
                if (response->HasCondition()) {
                    corpus.conditions.push_back(response->GetCondition()->GetExpression());
                }
            }
        });
}

Corpus MakeCorpus(std::int64_t nodes) {
    Corpus corpus;
    corpus.dialogue = GenerateDialogue({.nodes = static_cast<std::int32_t>(nodes), .seed = kSeed});
    corpus.bytes = corpus.dialogue->Write();
    corpus.json = DialogueToJson(*corpus.dialogue);
    corpus.script = ExportScript(*corpus.dialogue);
    CollectLines(corpus);
    const auto directory =
        std::filesystem::temp_directory_path() /
        ("talkwright_bench_" + std::to_string(::getpid()) + "_" + std::to_string(nodes));
    std::filesystem::create_directories(directory);
    corpus.directory = directory.string();
    return corpus;
}

// Removes the scratch directories when the run ends.
struct CorpusCache {
    std::map<std::int64_t, Corpus> bySize;
    ~CorpusCache() {
        for (const auto& [nodes, corpus] : bySize) {
            std::error_code ignored;
            std::filesystem::remove_all(corpus.directory, ignored);
        }
    }
};

}  // namespace

const Corpus& CorpusOf(std::int64_t nodes) {
    static CorpusCache cache;
    auto found = cache.bySize.find(nodes);
    if (found == cache.bySize.end()) {
        found = cache.bySize.emplace(nodes, MakeCorpus(nodes)).first;
    }
    return found->second;
}

std::string ScratchPath(const Corpus& corpus, const std::string& name) {
    return (std::filesystem::path(corpus.directory) / name).string();
}

void DialogueSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
}

void WritePlain(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error("cannot create " + path);
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                         std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    if (std::fclose(file) != 0 || !written) {
        throw std::runtime_error("cannot write " + path);
    }
}

void SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string ReadPlain(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw std::runtime_error("cannot open " + path);
    }
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, count);
    }
    std::fclose(file);
    return bytes;
}

}  // namespace tw::bench
