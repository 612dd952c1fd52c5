#include "tester/road.h"

#include <charconv>

namespace tw {
namespace {

std::optional<MessageAnswer> AnswerOf(const std::string& line) {
    if (line == "yes") {
        return MessageAnswer::kYes;
    }
    if (line == "no") {
        return MessageAnswer::kNo;
    }
    return std::nullopt;
}

std::optional<RoadStep> StepOf(const std::string& line) {
    if (line == "say" || line.rfind("say ", 0) == 0) {
        return RoadStep{true, 0, line.size() > 4 ? line.substr(4) : std::string(), {}};
    }
    std::size_t row = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), row);
    if (error != std::errc() || end != line.data() + line.size() || row == 0) {
        return std::nullopt;
    }
    return RoadStep{false, row - 1, {}, {}};
}

}  // namespace

std::optional<Road> ParseRoad(const std::vector<std::string>& lines) {
    Road road;
    for (const std::string& line : lines) {
        if (const std::optional<MessageAnswer> answer = AnswerOf(line)) {
            (road.steps.empty() ? road.startAnswers : road.steps.back().answers).push_back(*answer);
        } else if (std::optional<RoadStep> step = StepOf(line)) {
            road.steps.push_back(std::move(*step));
        } else {
            return std::nullopt;
        }
    }
    return road;
}

std::string AnswerLine(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::kYes:
            return "yes";
        case MessageAnswer::kNo:
            return "no";
        case MessageAnswer::kCancel:
            return "cancel";
        default:
            return "ok";
    }
}

std::string RecordingText(const RecordingSetting& setting, const std::vector<std::string>& lines) {
    std::string text =
        "#! dialogue: " + setting.dialogue + "\n#! seed: " + std::to_string(setting.seed) + "\n";
    if (!setting.start.empty()) {
        text += "#! start: " + setting.start + "\n";
    }
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

}  // namespace tw
