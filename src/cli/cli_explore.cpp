// explore FILE: plays every road of a dialogue in the tester's engine and lists what a player
// can meet: runtime errors, dead ends, no way out, nodes and responses no road reaches.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/byte_string.h"
#include "base/windows1252.h"
#include "cli/command_entry_points.h"
#include "cli/dialogue_input.h"
#include "cli/play_run.h"
#include "cli/shown_path.h"
#include "cli/terminal_progress.h"
#include "cli/typed_text.h"
#include "model/check/dialogue_check.h"
#include "model/dialogue.h"
#include "tester/explore/dialogue_explorer.h"
#include "tester/state_editor.h"
#include "tester/state_file_reader.h"

namespace tw::cli {
namespace {

constexpr std::size_t kMostStates = 1000000000;

struct ExploreArgs {
    std::string file;
    std::optional<std::string> start;
    std::optional<std::string> state;
    std::vector<std::uint32_t> seeds;
    std::vector<std::string> replies;  // as typed
    bool repliesGiven = false;
    std::size_t maxStates = ExploreOptions().maxStates;
    bool json = false;
};

std::optional<std::size_t> ParseCount(std::string_view text) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c); })) {
        return std::nullopt;
    }
    const unsigned long long count = std::stoull(std::string(text));
    if (count == 0 || count > kMostStates) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(count);
}

bool UsageError(const Invocation& invocation, const std::string& message) {
    invocation.err << "talkwright-cli explore: " << message << '\n';
    return false;
}

// Takes one option with its value; false on a usage error, after saying what is wrong.
bool TakeOption(const Invocation& invocation, std::string_view option, std::string_view value,
                ExploreArgs& args) {
    if (option == "--start") {
        args.start = std::string(value);
    } else if (option == "--state") {
        args.state = std::string(value);
    } else if (option == "--seed") {
        const std::optional<std::uint32_t> seed = ParseSeed(value);
        if (!seed) {
            return UsageError(invocation, "bad seed '" + std::string(value) + "'");
        }
        args.seeds.push_back(*seed);
    } else if (option == "--reply") {
        if (value.find_first_of("\r\n") != std::string_view::npos) {
            return UsageError(invocation, "a reply is one line");
        }
        args.replies.emplace_back(value);
        args.repliesGiven = true;
    } else if (option == "--max-states") {
        const std::optional<std::size_t> count = ParseCount(value);
        if (!count) {
            return UsageError(invocation, "bad number of states '" + std::string(value) + "'");
        }
        args.maxStates = *count;
    } else if (value != "text" && value != "json") {
        return UsageError(invocation, "unknown format '" + std::string(value) + "'");
    } else {
        args.json = value == "json";
    }
    return true;
}

std::optional<ExploreArgs> ParseExploreArgs(const Invocation& invocation) {
    ExploreArgs args;
    const auto& list = invocation.args;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string_view arg = list[i];
        const bool takesValue = arg == "--start" || arg == "--state" || arg == "--seed" ||
                                arg == "--reply" || arg == "--max-states" || arg == "--format";
        if (takesValue && i + 1 >= list.size()) {
            UsageError(invocation, std::string(arg) + " needs a value");
            return std::nullopt;
        }
        if (takesValue) {
            if (!TakeOption(invocation, arg, list[++i], args)) {
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg.front() == '-') {
            UsageError(invocation, "unknown option '" + std::string(arg) + "'");
            return std::nullopt;
        } else if (!args.file.empty()) {
            UsageError(invocation, "one dialogue at a time");
            return std::nullopt;
        } else {
            args.file = std::string(arg);
        }
    }
    if (args.file.empty()) {
        return std::nullopt;
    }
    return args;
}

std::string EndText(const ExploreResult& result, const ExploreOptions& options) {
    switch (result.end) {
        case ExploreEnd::kComplete:
            return "complete";
        case ExploreEnd::kStateBound:
            return "incomplete: more than " + std::to_string(options.maxStates) +
                   " states under a seed";
        case ExploreEnd::kQuestionBound:
            return "incomplete: a step asked more than " +
                   std::to_string(options.maxQuestionsPerStep) + " questions";
        case ExploreEnd::kCancelled:
            return "incomplete: cancelled";
    }
    return {};
}

std::string_view EndName(ExploreEnd end) {
    switch (end) {
        case ExploreEnd::kComplete:
            return "complete";
        case ExploreEnd::kStateBound:
            return "state-bound";
        case ExploreEnd::kQuestionBound:
            return "question-bound";
        case ExploreEnd::kCancelled:
            return "cancelled";
    }
    return {};
}

// The play options the road needs, then its lines.
std::string RoadText(const ExploreFinding& finding, const std::optional<std::string>& start) {
    std::string text = "    play --seed " + std::to_string(finding.seed);
    text += start ? " --start " + *start + ": " : ": ";
    if (finding.road.empty()) {
        return text + "(at the start)";
    }
    for (std::size_t i = 0; i < finding.road.size(); ++i) {
        text += (i == 0 ? "" : " > ") + Windows1252ToUtf8(finding.road[i]);
    }
    return text;
}

std::vector<Finding> PlainFindings(const ExploreResult& result) {
    std::vector<Finding> findings;
    for (const ExploreFinding& finding : result.findings) {
        findings.push_back(finding.finding);
    }
    return findings;
}

void WriteText(std::ostream& out, const ExploreArgs& args, const ExploreResult& result,
               const ExploreOptions& options) {
    const std::string path = ShownPath(args.file);
    for (const ExploreFinding& explored : result.findings) {
        const Finding& finding = explored.finding;
        out << path << ": " << Windows1252ToUtf8(finding.nodeLabel) << ": "
            << SeverityName(finding.severity) << ": " << Windows1252ToUtf8(finding.message) << " ["
            << finding.rule << "]\n";
        if (explored.hasRoad) {
            out << RoadText(explored, args.start) << '\n';
        }
    }
    const ExploreCoverage& c = result.coverage;
    out << path << ": " << result.states << " states explored (" << EndText(result, options)
        << "); " << c.nodesEntered << "/" << c.nodes << " nodes entered, " << c.responsesOffered
        << "/" << c.responses << " responses offered, " << c.responsesChosen << "/" << c.responses
        << " chosen; " << DescribeCounts(CountFindings(PlainFindings(result))) << '\n';
}

nlohmann::ordered_json FindingJson(const ExploreFinding& explored) {
    const Finding& finding = explored.finding;
    nlohmann::ordered_json json{{"rule", finding.rule},
                                {"severity", SeverityName(finding.severity)},
                                {"nodeId", finding.nodeId},
                                {"node", Windows1252ToUtf8(finding.nodeLabel)},
                                {"item", ItemKindName(finding.item)},
                                {"index", finding.index},
                                {"tag", Windows1252ToUtf8(explored.tag)},
                                {"message", Windows1252ToUtf8(finding.message)},
                                {"seed", nullptr},
                                {"input", nullptr}};
    if (explored.hasRoad) {
        json["seed"] = explored.seed;
        json["input"] = nlohmann::ordered_json::array();
        for (const std::string& line : explored.road) {
            json["input"].push_back(Windows1252ToUtf8(line));
        }
    }
    return json;
}

void WriteJson(std::ostream& out, const ExploreArgs& args, const ExploreResult& result) {
    const ExploreCoverage& c = result.coverage;
    nlohmann::ordered_json document{{"file", args.file},
                                    {"start", args.start ? nlohmann::ordered_json(*args.start)
                                                         : nlohmann::ordered_json(nullptr)},
                                    {"states", result.states},
                                    {"complete", result.IsComplete()},
                                    {"end", EndName(result.end)},
                                    {"coverage",
                                     {{"nodes", c.nodes},
                                      {"nodesEntered", c.nodesEntered},
                                      {"responses", c.responses},
                                      {"responsesOffered", c.responsesOffered},
                                      {"responsesChosen", c.responsesChosen}}},
                                    {"findings", nlohmann::ordered_json::array()}};
    for (const ExploreFinding& finding : result.findings) {
        document["findings"].push_back(FindingJson(finding));
    }
    out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

class Exploration {
public:
    Exploration(const Invocation& invocation, ExploreArgs args)
        : invocation_(invocation), args_(std::move(args)) {}

    int Run() {
        if (!Prepare()) {
            return kExitFailure;
        }
        TerminalProgress bar(invocation_.err);
        const std::size_t total = options_.maxStates * options_.seeds.size();
        ExploreControl control;
        control.progress = [&](const ExploreProgress& p) {
            bar.Show(std::min(total, p.seedIndex * p.maxStates + p.states), total);
        };
        const ExploreResult result = ExploreDialogue(dialogue_, start_, options_, control);
        bar.Clear();
        return Report(result);
    }

private:
    bool Fail(const std::string& message) {
        invocation_.err << "talkwright-cli explore: " << message << '\n';
        return false;
    }

    bool Prepare() {
        if (auto error =
                LoadDialogueOrJson(args_.file, dialogue_, invocation_.limits.dialogueBytes)) {
            return Fail(ShownPath(args_.file) + ": " + *error);
        }
        if (args_.start) {
            const std::string name = Utf8ToWindows1252(*args_.start).value_or(*args_.start);
            start_ = dialogue_.FindNodeByName(name);
            if (start_ == nullptr) {
                return Fail(ShownPath(args_.file) + ": no node named '" + *args_.start + "'");
            }
        }
        return SetOptions();
    }

    // The state file, seeds, replies and bound from the arguments.
    bool SetOptions() {
        options_.maxStateFileBytes = invocation_.limits.stateFileBytes;
        if (args_.state) {
            const StateFileText state = ReadStateFile(*args_.state, options_.maxStateFileBytes);
            if (state.error) {
                return Fail(state.refused
                                ? ShownPath(*args_.state) + ": " + *state.error
                                : "cannot read state file '" + ShownPath(*args_.state) + "'");
            }
            options_.stateFile = *args_.state;
        } else {
            options_.stateFile =
                std::filesystem::current_path() / std::string(kDefaultStateFileName);
        }
        if (!args_.seeds.empty()) {
            options_.seeds = args_.seeds;
        }
        if (args_.repliesGiven) {
            options_.replies.clear();
            for (const std::string& reply : args_.replies) {
                options_.replies.push_back(TypedToWindows1252(reply));
            }
        }
        options_.maxStates = args_.maxStates;
        return true;
    }

    int Report(const ExploreResult& result) {
        for (const std::string& error : result.compileErrors) {
            invocation_.err << ShownPath(args_.file) << ": " << error << '\n';
        }
        if (!result.compileErrors.empty()) {
            return kExitFailure;
        }
        for (const std::string& message : result.stateMessages) {
            invocation_.err << "talkwright-cli explore: " << ShownPath(options_.stateFile.string())
                            << ": " << Windows1252ToUtf8(message) << '\n';
        }
        if (args_.json) {
            WriteJson(invocation_.out, args_, result);
        } else {
            WriteText(invocation_.out, args_, result, options_);
        }
        const FindingCounts counts = CountFindings(PlainFindings(result));
        return counts.errors + counts.warnings > 0 ? kExitFailure : kExitOk;
    }

    const Invocation& invocation_;
    ExploreArgs args_;
    Dialogue dialogue_;
    DialogueNode* start_ = nullptr;
    ExploreOptions options_;
};

}  // namespace

int RunExploreCommand(const Invocation& invocation) {
    std::optional<ExploreArgs> args = ParseExploreArgs(invocation);
    if (!args) {
        return PrintCommandUsage(invocation.err, "explore");
    }
    return Exploration(invocation, std::move(*args)).Run();
}

}  // namespace tw::cli
