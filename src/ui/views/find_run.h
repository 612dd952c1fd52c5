#pragma once

// One search of the find bar over one or more open dialogues, run a slice at a time. The
// results keep node ids, not nodes, so going to one after the dialogue changed is safe.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "model/search/dialogue_search.h"

namespace tw {

struct FoundMatch {
    const Dialogue* document = nullptr;
    std::int32_t nodeId = 0;
    SearchMatch match;  // its node pointer is for the list's labels only
};

class FindRun {
public:
    void Add(const Dialogue& dialogue, const SearchOptions& options) {
        searches_.push_back({&dialogue, DialogueSearch(dialogue, options)});
    }
    // The dialogue is closing: no slice may walk its nodes.
    void Drop(const Dialogue& dialogue) {
        std::erase_if(searches_, [&](const Pending& p) { return p.dialogue == &dialogue; });
    }
    // Searches up to maxNodes more nodes; answers the results found by this slice.
    std::vector<FoundMatch> Step(std::size_t maxNodes);
    bool IsDone() const { return searches_.empty(); }

private:
    struct Pending {
        const Dialogue* dialogue;
        DialogueSearch search;
    };
    std::deque<Pending> searches_;
};

}  // namespace tw
