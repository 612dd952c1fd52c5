#pragma once

// What changed between the findings a pane shows and those of the next check, as runs of
// rows: a re-check after an edit of one node changes a few rows among tens of thousands, and
// the pane takes out and puts in only those, keeping the writer's place in the rest.

#include <cstddef>
#include <vector>

#include "model/check/check_finding.h"

namespace tw {

bool SameFinding(const Finding& a, const Finding& b);

// The old rows [oldAt, oldAt + removed) give way to the new rows [newAt, newAt + added).
struct RowsChange {
    std::size_t oldAt = 0;
    std::size_t removed = 0;
    std::size_t newAt = 0;
    std::size_t added = 0;
};

// The changes, in order, that turn before into after with as few rows out and in as may be.
// Past maxEdits rows out and in, finding the fewest costs more than it saves: all the rows
// between the shared head and tail go as one run.
std::vector<RowsChange> RowsChanges(const std::vector<Finding>& before,
                                    const std::vector<Finding>& after, std::size_t maxEdits);

}  // namespace tw
