// The script language over every command and condition of a dialogue: statement parse and
// check, condition parse, evaluation and the compile walk, beside `luac -p` parsing the same
// statements written as Lua.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <vector>

#include "bench_corpus.h"
#include "model/dialogue_compile.h"
#include "script/compile.h"
#include "script/script_errors.h"

extern char** environ;

namespace tw::bench {
namespace {

void SetLines(benchmark::State& state, std::size_t lines) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines));
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_ParseStatements(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        for (const std::string& line : corpus.statements) {
            benchmark::DoNotOptimize(CompileStatement(line));
        }
    }
    SetLines(state, corpus.statements.size());
}
BENCHMARK(BM_ParseStatements)->Apply(DialogueSizes);

void BM_ParseConditions(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        for (const std::string& line : corpus.conditions) {
            benchmark::DoNotOptimize(ParseCondition(line));
        }
    }
    SetLines(state, corpus.conditions.size());
}
BENCHMARK(BM_ParseConditions)->Apply(DialogueSizes);

// The environment the initialization node's commands leave, as the conditions see it in a
// test.
Environment StartEnvironment(const Corpus& corpus) {
    Environment environment;
    for (const auto& command : corpus.dialogue->Root().Commands()) {
        try {
            CompileStatement(command->GetScriptText())->Execute(environment);
        } catch (const ControlFlowException&) {
        }
    }
    return environment;
}

void BM_EvaluateConditions(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    std::vector<std::unique_ptr<Expression>> expressions;
    for (const std::string& line : corpus.conditions) {
        expressions.push_back(ParseCondition(line));
    }
    const Environment environment = StartEnvironment(corpus);
    for (auto _ : state) {
        for (const auto& expression : expressions) {
            benchmark::DoNotOptimize(expression->Evaluate(environment));
        }
    }
    SetLines(state, expressions.size());
}
BENCHMARK(BM_EvaluateConditions)->Apply(DialogueSizes);

// The compile walk before a test: every command and condition of every node compiled in
// place, with the progress the compile window shows after each node.
void BM_CompileWalk(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        int percent = 0;
        const auto errors = CompileDialogue(
            *corpus.dialogue,
            [&percent](const CompileProgress& progress) { percent = progress.Percent(); });
        benchmark::DoNotOptimize(percent);
        if (!errors.empty()) {
            state.SkipWithError("the generated dialogue does not compile clean");
        }
    }
    SetLines(state, corpus.statements.size() + corpus.conditions.size());
}
BENCHMARK(BM_CompileWalk)->Apply(DialogueSizes);

#ifdef TW_LUAC
// Which clock a `luac` run is timed by. Wall time is what a user waits; the CPU time of the
// child (user and system) is what compares with our CPU time on a loaded machine.
enum class LuacClock { Wall, Cpu };

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

// The time of one `luac -p path` run on that clock, or -1 when it fails.
double RunLuac(const std::string& path, LuacClock clock) {
    const std::string luac = TW_LUAC;
    std::vector<char*> argv = {const_cast<char*>(luac.c_str()), const_cast<char*>("-p"),
                               const_cast<char*>(path.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    if (::posix_spawn(&pid, luac.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
        ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    if (clock == LuacClock::Cpu) {
        return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void RunLuacBenchmark(benchmark::State& state, const std::string& path, std::size_t lines,
                      LuacClock clock = LuacClock::Wall) {
    for (auto _ : state) {
        const double seconds = RunLuac(path, clock);
        if (seconds < 0) {
            state.SkipWithError("luac -p failed");
            break;
        }
        state.SetIterationTime(seconds);
    }
    SetLines(state, lines);
}

// `luac -p` over the statements as Lua: process start, read, parse, no output.
void BM_LuacParse(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "statements.lua");
    std::ofstream(path, std::ios::binary) << corpus.lua;
    RunLuacBenchmark(state, path, corpus.statements.size());
}
BENCHMARK(BM_LuacParse)->Apply(DialogueSizes)->UseManualTime();

// The fixed cost in BM_LuacParse: `luac -p` of a one-line file.
void BM_LuacStartup(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(1'000);
    const std::string path = ScratchPath(corpus, "one.lua");
    std::ofstream(path, std::ios::binary) << "x = 1\n";
    RunLuacBenchmark(state, path, 1);
}
BENCHMARK(BM_LuacStartup)->UseManualTime()->Unit(benchmark::kMillisecond);

// BM_LuacParse and BM_LuacStartup timed by the CPU time of the `luac` process.
void BM_LuacParseCpu(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "statements.lua");
    std::ofstream(path, std::ios::binary) << corpus.lua;
    RunLuacBenchmark(state, path, corpus.statements.size(), LuacClock::Cpu);
}
BENCHMARK(BM_LuacParseCpu)->Apply(DialogueSizes)->UseManualTime();

void BM_LuacStartupCpu(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(1'000);
    const std::string path = ScratchPath(corpus, "one.lua");
    std::ofstream(path, std::ios::binary) << "x = 1\n";
    RunLuacBenchmark(state, path, 1, LuacClock::Cpu);
}
BENCHMARK(BM_LuacStartupCpu)->UseManualTime()->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace tw::bench
