#include "tester/explore/state_graph.h"

#include <map>
#include <numeric>

namespace tw {

std::uint32_t StateGraph::Add(std::uint32_t parent, StepInput input,
                              const std::vector<bool>& answers, std::uint32_t node, bool ended,
                              bool deadEnd) {
    State state;
    state.parent = parent;
    state.input = input;
    state.answersBegin = static_cast<std::uint32_t>(answers_.size());
    state.answerCount = static_cast<std::uint32_t>(answers.size());
    state.node = node;
    state.lines = (parent == kNone ? 0u : states_[parent].lines) + StepLines(input, answers.size());
    state.ended = ended;
    state.deadEnd = deadEnd;
    answers_.insert(answers_.end(), answers.begin(), answers.end());
    states_.push_back(state);
    return static_cast<std::uint32_t>(states_.size() - 1);
}

void StateGraph::BeginExploring(std::uint32_t state) {
    // Explored in order of addition, so each state's successors follow the one before's.
    successorStart_.resize(state + 1, successors_.size());
}

std::size_t StateGraph::SuccessorEnd(std::uint32_t state) const {
    return state + 1 < successorStart_.size() ? successorStart_[state + 1] : successors_.size();
}

void StateGraph::AppendStep(std::vector<std::string>& lines, StepInput input,
                            const std::vector<bool>& answers, std::size_t answerCount,
                            const std::vector<std::string>& replies) {
    if (input.kind == InputKind::kChoose) {
        lines.push_back(std::to_string(input.index + 1));
    } else if (input.kind == InputKind::kSay) {
        const std::string& reply = replies[input.index];
        lines.push_back(reply.empty() ? "say" : "say " + reply);
    }
    for (std::size_t i = 0; i < answerCount; ++i) {
        lines.emplace_back(answers[i] ? "yes" : "no");
    }
}

std::vector<std::string> StateGraph::Road(std::uint32_t state,
                                          const std::vector<std::string>& replies) const {
    std::vector<std::uint32_t> chain;
    for (std::uint32_t at = state; at != kNone; at = states_[at].parent) {
        chain.push_back(at);
    }
    std::vector<std::string> lines;
    lines.reserve(states_[state].lines);
    std::vector<bool> answers;
    for (auto at = chain.rbegin(); at != chain.rend(); ++at) {
        const State& step = states_[*at];
        const auto begin = answers_.begin() + step.answersBegin;
        answers.assign(begin, begin + step.answerCount);
        AppendStep(lines, step.input, answers, answers.size(), replies);
    }
    return lines;
}

// Breadth first backwards from the states that end the conversation, or whose future is
// not wholly known, over the steps turned round.
std::vector<bool> StateGraph::CanReachEnd() const {
    std::vector<std::uint32_t> start(states_.size() + 1, 0);
    for (const std::uint32_t to : successors_) {
        ++start[to + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<std::uint32_t> predecessors(successors_.size());
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (std::uint32_t from = 0; from < successorStart_.size(); ++from) {
        for (std::size_t i = successorStart_[from]; i < SuccessorEnd(from); ++i) {
            predecessors[fill[successors_[i]]++] = from;
        }
    }
    std::vector<bool> can(states_.size(), false);
    std::vector<std::uint32_t> work;
    for (std::uint32_t s = 0; s < states_.size(); ++s) {
        if (states_[s].ended || states_[s].openEnded || !IsExplored(s)) {
            can[s] = true;
            work.push_back(s);
        }
    }
    while (!work.empty()) {
        const std::uint32_t s = work.back();
        work.pop_back();
        for (std::size_t i = start[s]; i < start[s + 1]; ++i) {
            if (!can[predecessors[i]]) {
                can[predecessors[i]] = true;
                work.push_back(predecessors[i]);
            }
        }
    }
    return can;
}

std::vector<std::uint32_t> StateGraph::NoWayOutByNode() const {
    const std::vector<bool> can = CanReachEnd();
    std::map<std::uint32_t, std::uint32_t> firstByNode;
    for (std::uint32_t s = 0; s < states_.size(); ++s) {
        if (can[s] || states_[s].deadEnd) {
            continue;
        }
        const auto [at, isNew] = firstByNode.try_emplace(states_[s].node, s);
        if (!isNew && states_[s].lines < states_[at->second].lines) {
            at->second = s;
        }
    }
    std::vector<std::uint32_t> states;
    for (const auto& [node, state] : firstByNode) {
        states.push_back(state);
    }
    return states;
}

}  // namespace tw
