#pragma once

// What changed between the findings a pane shows and those of the next check, as runs of
// rows: a re-check after an edit of one node changes a few rows among tens of thousands, and
// the pane takes out and puts in only those, keeping the writer's place in the rest.

#include <cstddef>
#include <memory>
#include <utility>
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

// How the rows of before become those of after: a few runs out and in, or, when many rows
// change or the same findings come in another order (after a sort, say), a rearrangement:
// every row put where it goes in one pass, the rows that stay keeping their findings. Made
// on the check's thread, so the window's thread only moves rows.
struct RowsPlan {
    // Applied last first, so the rows before each keep their numbers. Empty when the plan
    // rearranges, or when nothing changed.
    std::vector<RowsChange> changes;
    bool isRearranged = false;
    // For each new row: the old row it keeps, or the old rows' count plus its place in rows.
    std::vector<std::size_t> sources;
    // For each old row: its new row, or for one that went the new row of the next that
    // stays (the last that stays, past the end), so the writer's place lands near it; none
    // when no row stays.
    std::vector<std::size_t> places;
    // The old rows that went.
    std::vector<std::size_t> gone;
    // The rows put in, in order (those of each change, or those the rearrangement adds),
    // copied here with their node pointers unset, since the node may be gone by the next
    // check.
    std::vector<Finding> rows;
};

// No old row stays.
inline constexpr std::size_t kNoPlace = static_cast<std::size_t>(-1);

RowsPlan PlanRows(const std::vector<Finding>& before, const std::vector<Finding>& after);

// A plan from one check's findings to the next's, made on the thread the check ran on.
struct CheckRowsPlan {
    std::shared_ptr<const std::vector<Finding>> before;
    std::shared_ptr<const std::vector<Finding>> after;
    RowsPlan rows;
};

}  // namespace tw
