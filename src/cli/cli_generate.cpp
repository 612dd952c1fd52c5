// generate --nodes N [--seed S] OUT: writes a generated dialogue of N nodes, the same for the
// same N and S on every machine, as a dialogue file (or its JSON form when OUT ends in .json).

#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "base/byte_string.h"
#include "base/file_write.h"
#include "base/input_limits.h"
#include "cli/command_entry_points.h"
#include "cli/shown_path.h"
#include "generator/dialogue_generator.h"
#include "model/dialogue_json.h"
#include "model/file.h"

namespace tw::cli {
namespace {

// Enough for any benchmark while keeping a typing slip from filling the memory.
constexpr std::int32_t kMaxNodes = 10'000'000;

struct GenerateArgs {
    GeneratorOptions options;
    std::string out;
};

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The message of the first wrong argument, or nothing.
std::optional<std::string> ParseArgs(std::span<const std::string_view> args, GenerateArgs& parsed) {
    bool haveNodes = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if ((arg == "--nodes" || arg == "--seed") && i + 1 == args.size()) {
            return std::string(arg) + " needs a value";
        }
        if (arg == "--nodes") {
            const auto nodes = ParseNumber<std::int32_t>(args[++i]);
            if (!nodes || *nodes < 1 || *nodes > kMaxNodes) {
                return "--nodes takes a whole number from 1 to " + FormatInt(kMaxNodes);
            }
            parsed.options.nodes = *nodes;
            haveNodes = true;
        } else if (arg == "--seed") {
            const auto seed = ParseNumber<std::uint64_t>(args[++i]);
            if (!seed) {
                return "--seed takes a whole number from 0 to 18446744073709551615";
            }
            parsed.options.seed = *seed;
        } else if (parsed.out.empty() && !arg.empty() && arg.front() != '-') {
            parsed.out = std::string(arg);
        } else {
            return "unexpected argument " + std::string(arg);
        }
    }
    if (!haveNodes || parsed.out.empty()) {
        return std::string(haveNodes ? "OUT is missing" : "--nodes is missing");
    }
    return std::nullopt;
}

bool EndsWithJson(std::string_view path) {
    return path.size() >= 5 && EqualsNoCase(path.substr(path.size() - 5), ".json");
}

}  // namespace

int RunGenerateCommand(const Invocation& invocation) {
    GenerateArgs parsed;
    if (auto error = ParseArgs(invocation.args, parsed)) {
        invocation.err << "talkwright-cli generate: " << *error << '\n';
        return PrintCommandUsage(invocation.err, "generate");
    }
    const std::unique_ptr<Dialogue> dialogue = GenerateDialogue(parsed.options);
    const std::string bytes =
        EndsWithJson(parsed.out) ? DialogueToJson(*dialogue) : dialogue->Write();
    // What could not be loaded again is not written.
    if (bytes.size() > invocation.limits.dialogueBytes) {
        invocation.err << "talkwright-cli generate: the dialogue would be " << bytes.size()
                       << " bytes, more than a dialogue file can be ("
                       << ByteLimitText(invocation.limits.dialogueBytes)
                       << "); ask for fewer nodes\n";
        return kExitFailure;
    }
    if (auto error = ReplaceFileAtomically(parsed.out, bytes)) {
        invocation.err << "talkwright-cli generate: " << WithShownPaths(*error, {parsed.out})
                       << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace tw::cli
