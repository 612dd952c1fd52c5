#pragma once

// The moments an exploration met and the steps between them: each state with the step that
// first reached it (so its road is the chain of first steps back to the start) and, once it
// is explored, the states each of its steps led to.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// What the player did in a step: the start of the test, choosing a row, typing a reply.
enum class InputKind : std::uint8_t { kStart, kChoose, kSay };

struct StepInput {
    InputKind kind = InputKind::kStart;
    std::uint32_t index = 0;  // the row, or the reply's place in the list of replies
};

class StateGraph {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // A new state, first reached from parent (kNone for a start) by input and the answers
    // given to the step's questions.
    std::uint32_t Add(std::uint32_t parent, StepInput input, const std::vector<bool>& answers,
                      std::uint32_t node, bool ended, bool deadEnd);
    std::size_t Size() const { return states_.size(); }
    std::uint32_t Node(std::uint32_t state) const { return states_[state].node; }
    // The number of input lines of the state's road.
    std::uint32_t Lines(std::uint32_t state) const { return states_[state].lines; }

    // States are explored in the order they were added: this one is next.
    void BeginExploring(std::uint32_t state);
    void AddSuccessor(std::uint32_t to) { successors_.push_back(to); }
    // A step from the state being explored led to a state that was not kept.
    void MarkOpenEnded(std::uint32_t state) { states_[state].openEnded = true; }

    // The play input lines of the state's road; replies name the typed replies.
    std::vector<std::string> Road(std::uint32_t state,
                                  const std::vector<std::string>& replies) const;
    // The lines of one step, with only its first answerCount answers.
    static void AppendStep(std::vector<std::string>& lines, StepInput input,
                           const std::vector<bool>& answers, std::size_t answerCount,
                           const std::vector<std::string>& replies);
    static std::uint32_t StepLines(StepInput input, std::size_t answerCount) {
        return (input.kind == InputKind::kStart ? 0u : 1u) +
               static_cast<std::uint32_t>(answerCount);
    }

    // For each node, the state with the shortest road among those at the node from which no
    // road reaches the end of the conversation. Dead ends (which say more) and states whose
    // future is not wholly known are never among them.
    std::vector<std::uint32_t> NoWayOutByNode() const;

private:
    struct State {
        std::uint32_t parent = kNone;
        StepInput input;
        std::uint32_t answersBegin = 0;
        std::uint32_t answerCount = 0;
        std::uint32_t node = 0;
        std::uint32_t lines = 0;
        bool ended = false;
        bool deadEnd = false;
        bool openEnded = false;
    };

    std::vector<bool> CanReachEnd() const;
    bool IsExplored(std::uint32_t state) const { return state < successorStart_.size(); }
    std::size_t SuccessorEnd(std::uint32_t state) const;

    std::vector<State> states_;
    std::vector<bool> answers_;
    std::vector<std::size_t> successorStart_;  // per explored state
    std::vector<std::uint32_t> successors_;
};

}  // namespace tw
