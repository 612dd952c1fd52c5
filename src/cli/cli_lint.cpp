// lint [--format text|json] [--disable RULE]... FILE...: the dialogue check of each file, so a
// build can stop a dialogue with broken links or stray tags, not only syntax errors.

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/windows1252.h"
#include "cli/command_entry_points.h"
#include "cli/shown_path.h"
#include "model/check/dialogue_check.h"
#include "model/dialogue.h"
#include "tester/provided_names.h"

namespace tw::cli {
namespace {

struct LintOptions {
    bool json = false;
    CheckOptions check;
    std::vector<std::string> files;
};

// Reads the options and files; nullopt on a usage error, after saying what is wrong.
std::optional<LintOptions> ParseLintArgs(const Invocation& invocation) {
    LintOptions options;
    options.check.isProvided = IsProvidedName;
    const auto& args = invocation.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool takesValue = arg == "--format" || arg == "--disable";
        if (takesValue && i + 1 >= args.size()) {
            invocation.err << "talkwright-cli lint: " << arg << " needs a value\n";
            return std::nullopt;
        }
        if (arg == "--format") {
            const std::string_view format = args[++i];
            if (format != "text" && format != "json") {
                invocation.err << "talkwright-cli lint: unknown format '" << format << "'\n";
                return std::nullopt;
            }
            options.json = format == "json";
        } else if (arg == "--disable") {
            const std::string_view rule = args[++i];
            if (!IsCheckRule(rule)) {
                invocation.err << "talkwright-cli lint: unknown rule '" << rule << "'\n";
                return std::nullopt;
            }
            options.check.disabled.emplace(rule);
        } else if (arg.size() > 1 && arg.front() == '-') {
            invocation.err << "talkwright-cli lint: unknown option '" << arg << "'\n";
            return std::nullopt;
        } else {
            options.files.emplace_back(arg);
        }
    }
    return options;
}

std::string TextLine(const std::string& path, const Finding& finding) {
    return ShownPath(path) + ": " + finding.nodeLabel + ": " +
           std::string(SeverityName(finding.severity)) + ": " + finding.message + " [" +
           finding.rule + "]";
}

nlohmann::json FindingJson(const Finding& finding) {
    return {{"rule", finding.rule},
            {"severity", SeverityName(finding.severity)},
            {"nodeId", finding.nodeId},
            {"node", Windows1252ToUtf8(finding.nodeLabel)},
            {"item", ItemKindName(finding.item)},
            {"index", finding.index},
            {"message", Windows1252ToUtf8(finding.message)}};
}

bool IsWarningOrWorse(const Finding& finding) {
    return finding.severity != Severity::Note;
}

class Linter {
public:
    Linter(const Invocation& invocation, const LintOptions& options)
        : invocation_(invocation), options_(options) {}

    int Run() {
        for (const std::string& path : options_.files) {
            LintFile(path);
        }
        if (options_.json) {
            document_["counts"] = {{"errors", counts_.errors},
                                   {"warnings", counts_.warnings},
                                   {"notes", counts_.notes}};
            invocation_.out << document_.dump(2, ' ', false,
                                              nlohmann::json::error_handler_t::replace)
                            << '\n';
        }
        return failed_ ? kExitFailure : kExitOk;
    }

private:
    void LintFile(const std::string& path) {
        nlohmann::json file{{"path", path}, {"findings", nlohmann::json::array()}};
        Dialogue dialogue;
        if (auto error = dialogue.Load(path, invocation_.limits.dialogueBytes)) {
            invocation_.err << ShownPath(path) << ": " << *error << '\n';
            file["error"] = Windows1252ToUtf8(*error);
            failed_ = true;
        } else {
            const std::vector<Finding> findings = CheckDialogue(dialogue, options_.check);
            for (const Finding& finding : findings) {
                Report(path, finding, file["findings"]);
            }
            const FindingCounts counts = CountFindings(findings);
            counts_.errors += counts.errors;
            counts_.warnings += counts.warnings;
            counts_.notes += counts.notes;
        }
        document_["files"].push_back(std::move(file));
    }

    void Report(const std::string& path, const Finding& finding, nlohmann::json& list) {
        failed_ = failed_ || IsWarningOrWorse(finding);
        if (options_.json) {
            list.push_back(FindingJson(finding));
        } else {
            invocation_.out << TextLine(path, finding) << '\n';
        }
    }

    const Invocation& invocation_;
    const LintOptions& options_;
    nlohmann::json document_{{"files", nlohmann::json::array()}};
    FindingCounts counts_;
    bool failed_ = false;
};

}  // namespace

int RunLintCommand(const Invocation& invocation) {
    const std::optional<LintOptions> options = ParseLintArgs(invocation);
    if (!options || options->files.empty()) {
        return PrintCommandUsage(invocation.err, "lint");
    }
    return Linter(invocation, *options).Run();
}

}  // namespace tw::cli
