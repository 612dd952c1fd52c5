// graph FILE [--format json|dot|svg] [--node NAME] [--hops K] [OUT]: the conversation map of a
// dialogue, whole or around one node, as JSON, as DOT text or drawn by Graphviz as SVG.

#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "base/file_replace.h"
#include "cli/command_entry_points.h"
#include "cli/dialogue_input.h"
#include "cli/shown_path.h"
#include "cli/typed_text.h"
#include "graph/dialogue_graph.h"
#include "graph/graph_dot.h"
#include "graph/graph_layout.h"
#include "graph/graph_neighbourhood.h"
#include "model/dialogue.h"
#include "model/json_text_printer.h"

namespace tw::cli {
namespace {

constexpr std::size_t kDefaultHops = 2;

enum class GraphFormat { kJson, kDot, kSvg };

struct GraphArgs {
    std::string file;
    std::optional<std::string> out;  // standard output when absent or "-"
    GraphFormat format = GraphFormat::kJson;
    std::optional<std::string> node;
    std::size_t hops = kDefaultHops;
    bool hasHops = false;
};

std::optional<GraphFormat> FormatNamed(std::string_view name) {
    if (name == "json") {
        return GraphFormat::kJson;
    }
    if (name == "dot") {
        return GraphFormat::kDot;
    }
    if (name == "svg") {
        return GraphFormat::kSvg;
    }
    return std::nullopt;
}

// One option and its value; false after saying what is wrong.
bool ParseOption(std::string_view option, std::string_view value, GraphArgs& args,
                 std::ostream& err) {
    if (option == "--format") {
        const auto format = FormatNamed(value);
        if (!format) {
            err << "talkwright-cli graph: unknown format '" << value << "'\n";
            return false;
        }
        args.format = *format;
    } else if (option == "--node") {
        args.node = std::string(value);
    } else {
        const auto hops = OrdinalUpTo(value, kMaxNeighbourhoodHops);
        if (!hops || !IsWholeNumber(value)) {
            err << "talkwright-cli graph: --hops takes a whole number from 1 to "
                << kMaxNeighbourhoodHops << ", not '" << value << "'\n";
            return false;
        }
        args.hops = *hops;
        args.hasHops = true;
    }
    return true;
}

std::optional<GraphArgs> ParseGraphArgs(const Invocation& invocation) {
    GraphArgs parsed;
    std::vector<std::string> positional;
    const auto& args = invocation.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--format" || arg == "--node" || arg == "--hops") {
            if (i + 1 >= args.size()) {
                invocation.err << "talkwright-cli graph: " << arg << " needs a value\n";
                return std::nullopt;
            }
            if (!ParseOption(arg, args[++i], parsed, invocation.err)) {
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg.front() == '-') {
            invocation.err << "talkwright-cli graph: unknown option '" << arg << "'\n";
            return std::nullopt;
        } else {
            positional.emplace_back(arg);
        }
    }
    if (parsed.hasHops && !parsed.node) {
        invocation.err << "talkwright-cli graph: --hops needs --node\n";
        return std::nullopt;
    }
    if (positional.empty() || positional.size() > 2) {
        return std::nullopt;
    }
    parsed.file = positional[0];
    if (positional.size() == 2 && positional[1] != "-") {
        parsed.out = positional[1];
    }
    return parsed;
}

void PrintNode(JsonTextPrinter& json, const GraphNode& node, bool isNeighbourhood) {
    json.Element();
    json.OpenObject();
    json.Key("id");
    json.Int(node.id);
    json.StringMember("name", node.name);
    json.StringMember("description", node.description);
    json.StringMember("text", node.firstLine);
    json.Key("start");
    json.Bool(node.isStart);
    json.Key("reachable");
    json.Bool(node.isReachable);
    if (isNeighbourhood) {
        json.Key("moreIn");
        json.Int(static_cast<std::int32_t>(node.moreIn));
        json.Key("moreOut");
        json.Int(static_cast<std::int32_t>(node.moreOut));
    }
    json.CloseObject();
}

void PrintEdge(JsonTextPrinter& json, const DialogueGraph& graph, const GraphEdge& edge) {
    const GraphNode& from = graph.Nodes()[edge.from];
    const GraphNode& to = graph.Nodes()[edge.to];
    json.Element();
    json.OpenObject();
    json.StringMember("from", from.name);
    json.StringMember("to", to.name);
    json.Key("fromId");
    json.Int(from.id);
    if (!to.isGhost) {
        json.Key("toId");
        json.Int(to.id);
    }
    json.StringMember("kind", GraphEdgeKindName(edge.kind));
    json.StringMember("label", edge.label);
    json.Key("conditional");
    json.Bool(edge.isConditional);
    json.Key("missing");
    json.Bool(edge.isMissing);
    json.CloseObject();
}

// Ghosts are no nodes of the dialogue: the links to them say "missing" instead.
std::string GraphJson(const DialogueGraph& graph, bool isNeighbourhood) {
    std::string text;
    JsonTextPrinter json(text);
    json.OpenObject();
    json.Key("nodes");
    json.OpenArray();
    for (const GraphNode& node : graph.Nodes()) {
        if (!node.isGhost) {
            PrintNode(json, node, isNeighbourhood);
        }
    }
    json.CloseArray();
    json.Key("edges");
    json.OpenArray();
    for (const GraphEdge& edge : graph.Edges()) {
        PrintEdge(json, graph, edge);
    }
    json.CloseArray();
    json.CloseObject();
    return text + '\n';
}

class GraphCommand {
public:
    GraphCommand(const Invocation& invocation, GraphArgs args)
        : invocation_(invocation), args_(std::move(args)), path_(ShownPath(args_.file)) {}

    int Run() {
        Dialogue dialogue;
        if (auto error =
                LoadDialogueOrJson(args_.file, dialogue, invocation_.limits.dialogueBytes)) {
            return Fail(path_ + ": " + *error);
        }
        std::vector<std::string> compileMessages;
        DialogueGraph graph = CompileDialogueGraph(dialogue, {}, &compileMessages);
        WarnOfCompileErrors(compileMessages.size());
        if (args_.node && !CutAroundNode(graph)) {
            return kExitFailure;
        }
        std::optional<std::string> text = Render(graph);
        return text ? Write(*text) : kExitFailure;
    }

private:
    int Fail(const std::string& message) const {
        invocation_.err << message << '\n';
        return kExitFailure;
    }

    // The map is still made: a row that does not compile makes no link, and check says why.
    void WarnOfCompileErrors(std::size_t count) const {
        if (count > 0) {
            invocation_.err << path_ << ": warning: " << count
                            << (count == 1 ? " command or condition does"
                                           : " commands or conditions do")
                            << " not compile and make no links (talkwright-cli check lists them)\n";
        }
    }

    bool CutAroundNode(DialogueGraph& graph) const {
        const std::string name = TypedToWindows1252(*args_.node);
        const std::size_t center = graph.Find(name);
        if (center == graph.Nodes().size() || graph.Nodes()[center].isGhost) {
            Fail(path_ + ": no node named '" + *args_.node + "'");
            return false;
        }
        graph = NeighbourhoodOf(graph, center, args_.hops);
        return true;
    }

    std::optional<std::string> Render(const DialogueGraph& graph) const {
        switch (args_.format) {
            case GraphFormat::kJson:
                return GraphJson(graph, args_.node.has_value());
            case GraphFormat::kDot:
                return WriteGraphDot(graph);
            case GraphFormat::kSvg:
                return Svg(graph);
        }
        return std::nullopt;
    }

    std::optional<std::string> Svg(const DialogueGraph& graph) const {
        if (auto refused = CheckLayoutLimits(graph)) {
            Fail(path_ + ": the map is too large to lay out: " + *refused +
                 "; draw a part of it with --node NAME --hops K");
            return std::nullopt;
        }
        SvgOutcome svg = RenderGraphSvg(graph);
        if (svg.error) {
            Fail(path_ + ": " + *svg.error);
            return std::nullopt;
        }
        return std::move(svg.svg);
    }

    int Write(const std::string& text) const {
        if (!args_.out) {
            invocation_.out << text;
            return kExitOk;
        }
        std::error_code error;
        if (std::filesystem::equivalent(args_.file, *args_.out, error) && !error) {
            return Fail(ShownPath(*args_.out) + ": the map would replace the dialogue itself");
        }
        const auto failure = ReplaceFileContents(*args_.out, text);
        if (!failure) {
            return kExitOk;
        }
        const std::string reason = std::strerror(failure->error);
        return Fail(ShownPath(*args_.out) +
                    (failure->step == ReplaceFailure::kCreate
                         ? ": Unable to create file (" + reason + ")"
                         : ": Unable to write file (" + reason + "); it was not changed"));
    }

    const Invocation& invocation_;
    const GraphArgs args_;
    const std::string path_;
};

}  // namespace

int RunGraphCommand(const Invocation& invocation) {
    std::optional<GraphArgs> args = ParseGraphArgs(invocation);
    if (!args) {
        return PrintCommandUsage(invocation.err, "graph");
    }
    return GraphCommand(invocation, std::move(*args)).Run();
}

}  // namespace tw::cli
