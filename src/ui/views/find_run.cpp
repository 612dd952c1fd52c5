#include "ui/views/find_run.h"

#include "model/dialogue_node.h"

namespace tw {

// The slice's budget carries over from one dialogue to the next.
std::vector<FoundMatch> FindRun::Step(std::size_t maxNodes) {
    std::vector<FoundMatch> found;
    std::size_t left = maxNodes;
    while (left > 0 && !searches_.empty()) {
        Pending& pending = searches_.front();
        const Dialogue* document = pending.dialogue;
        const std::size_t before = pending.search.NodesSearched();
        std::vector<SearchMatch> matches;
        const bool more = pending.search.Step(left, matches);
        left -= pending.search.NodesSearched() - before;
        if (!more)
            searches_.pop_front();
        for (SearchMatch& match : matches)
            found.push_back({document, match.node->GetId(), std::move(match)});
    }
    return found;
}

}  // namespace tw
