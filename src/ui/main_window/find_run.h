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
    std::size_t document = 0;
    std::int32_t nodeId = 0;
    SearchMatch match;  // its node pointer is for the list's labels only
};

class FindRun {
public:
    void Add(std::size_t document, const Dialogue& dialogue, const SearchOptions& options) {
        searches_.push_back({document, &dialogue, DialogueSearch(dialogue, options)});
    }
    // Drops the searches of dialogues that are no longer open at their place, so no slice
    // walks the nodes of a closed one.
    template <typename IsOpen>
    void DropClosed(IsOpen isOpen) {
        std::erase_if(searches_, [&](const Pending& p) { return !isOpen(p.document, p.dialogue); });
    }
    // Searches up to maxNodes more nodes; answers the results found by this slice.
    std::vector<FoundMatch> Step(std::size_t maxNodes);
    bool IsDone() const { return searches_.empty(); }

private:
    struct Pending {
        std::size_t document;
        const Dialogue* dialogue;
        DialogueSearch search;
    };
    std::deque<Pending> searches_;
};

}  // namespace tw
