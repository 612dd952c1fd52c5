#include "ui/views/problems_rows_diff.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace tw {
namespace {

using Pair = std::pair<std::size_t, std::size_t>;

// Finding the fewest rows out and in costs (rows + edits) * edits at worst.
constexpr std::size_t kMostRowEdits = 256;

std::size_t HashOf(const Finding& finding) {
    const std::hash<std::string> text;
    std::size_t hash = text(finding.rule);
    for (std::size_t part :
         {text(finding.message), text(finding.nodeLabel), std::size_t(finding.index),
          static_cast<std::size_t>(finding.nodeId), static_cast<std::size_t>(finding.item),
          static_cast<std::size_t>(finding.severity)}) {
        hash = hash * 1000003u ^ part;
    }
    return hash;
}

// For each new finding the old row that shows it, or kNoPlace.
std::vector<std::size_t> OldRowsOf(const std::vector<Finding>& before,
                                   const std::vector<Finding>& after) {
    std::vector<Pair> keys;
    keys.reserve(before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        keys.emplace_back(HashOf(before[i]), i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<bool> taken(before.size(), false);
    std::vector<std::size_t> from(after.size(), kNoPlace);
    for (std::size_t j = 0; j < after.size(); ++j) {
        const std::size_t hash = HashOf(after[j]);
        auto it = std::lower_bound(keys.begin(), keys.end(), Pair(hash, 0));
        for (; it != keys.end() && it->first == hash; ++it) {
            if (!taken[it->second] && SameFinding(before[it->second], after[j])) {
                taken[it->second] = true;
                from[j] = it->second;
                break;
            }
        }
    }
    return from;
}

RowsPlan Rearrangement(const std::vector<Finding>& before, const std::vector<Finding>& after) {
    RowsPlan plan;
    plan.isRearranged = true;
    const std::vector<std::size_t> from = OldRowsOf(before, after);
    std::vector<bool> stays(before.size(), false);
    plan.places.assign(before.size(), kNoPlace);
    plan.sources.reserve(after.size());
    for (std::size_t j = 0; j < after.size(); ++j) {
        if (from[j] != kNoPlace) {
            stays[from[j]] = true;
            plan.places[from[j]] = j;
            plan.sources.push_back(from[j]);
        } else {
            plan.sources.push_back(before.size() + plan.rows.size());
            plan.rows.push_back(after[j]);
        }
    }
    // A row that went lands where the next that stays goes, or past the end where the last
    // that stays goes.
    std::size_t next = kNoPlace;
    for (std::size_t i = before.size(); i-- > 0;) {
        if (stays[i]) {
            next = plan.places[i];
        } else {
            plan.places[i] = next;
        }
    }
    std::size_t last = kNoPlace;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (stays[i]) {
            last = plan.places[i];
            continue;
        }
        plan.gone.push_back(i);
        if (plan.places[i] == kNoPlace) {
            plan.places[i] = last;
        }
    }
    return plan;
}

// The shortest edit script between the two middles (Myers' greedy walk of diagonals), as the
// pairs of rows it keeps; none past maxEdits. Each round keeps the furthest point reached on
// every diagonal, so the work is (rows + edits) * edits.
std::optional<std::vector<Pair>> KeptPairs(const Finding* a, std::ptrdiff_t n, const Finding* b,
                                           std::ptrdiff_t m, std::ptrdiff_t maxEdits) {
    const std::ptrdiff_t most = std::min(maxEdits, n + m);
    const std::ptrdiff_t offset = most + 1;
    std::vector<std::ptrdiff_t> furthest(static_cast<std::size_t>(2 * most + 3), 0);
    std::vector<std::vector<std::ptrdiff_t>> rounds;
    const auto at = [&](std::vector<std::ptrdiff_t>& v, std::ptrdiff_t k) -> std::ptrdiff_t& {
        return v[static_cast<std::size_t>(k + offset)];
    };
    std::ptrdiff_t edits = -1;
    for (std::ptrdiff_t d = 0; d <= most && edits < 0; ++d) {
        rounds.push_back(furthest);
        for (std::ptrdiff_t k = -d; k <= d; k += 2) {
            std::ptrdiff_t x = (k == -d || (k != d && at(furthest, k - 1) < at(furthest, k + 1)))
                                   ? at(furthest, k + 1)
                                   : at(furthest, k - 1) + 1;
            std::ptrdiff_t y = x - k;
            while (x < n && y < m && SameFinding(a[x], b[y])) {
                ++x;
                ++y;
            }
            at(furthest, k) = x;
            if (x >= n && y >= m) {
                edits = d;
                break;
            }
        }
    }
    if (edits < 0) {
        return std::nullopt;
    }
    std::vector<Pair> kept;
    std::ptrdiff_t x = n;
    std::ptrdiff_t y = m;
    for (std::ptrdiff_t d = edits; d >= 0; --d) {
        std::vector<std::ptrdiff_t>& v = rounds[static_cast<std::size_t>(d)];
        const std::ptrdiff_t k = x - y;
        const std::ptrdiff_t fromK =
            (k == -d || (k != d && at(v, k - 1) < at(v, k + 1))) ? k + 1 : k - 1;
        const std::ptrdiff_t fromX = d == 0 ? 0 : at(v, fromK);
        const std::ptrdiff_t fromY = d == 0 ? 0 : fromX - fromK;
        while (x > fromX && y > fromY) {
            --x;
            --y;
            kept.emplace_back(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
        }
        x = fromX;
        y = fromY;
    }
    std::reverse(kept.begin(), kept.end());
    return kept;
}

}  // namespace

bool SameFinding(const Finding& a, const Finding& b) {
    return a.rule == b.rule && a.severity == b.severity && a.nodeId == b.nodeId &&
           a.nodeLabel == b.nodeLabel && a.item == b.item && a.index == b.index &&
           a.message == b.message;
}

// The shared head and tail are cut off first: after most edits they are all but every row.
std::vector<RowsChange> RowsChanges(const std::vector<Finding>& before,
                                    const std::vector<Finding>& after, std::size_t maxEdits) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && SameFinding(before[head], after[head])) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < shorter - head &&
           SameFinding(before[before.size() - 1 - tail], after[after.size() - 1 - tail])) {
        ++tail;
    }
    const std::size_t n = before.size() - head - tail;
    const std::size_t m = after.size() - head - tail;
    std::vector<RowsChange> changes;
    if (n == 0 && m == 0) {
        return changes;
    }
    std::optional<std::vector<Pair>> kept;
    if (n == 0 || m == 0) {
        kept.emplace();
    } else {
        kept = KeptPairs(before.data() + head, static_cast<std::ptrdiff_t>(n), after.data() + head,
                         static_cast<std::ptrdiff_t>(m), static_cast<std::ptrdiff_t>(maxEdits));
    }
    if (!kept) {
        return {{head, n, head, m}};
    }
    kept->emplace_back(n, m);  // the tail closes the last run
    std::size_t oldNext = 0;
    std::size_t newNext = 0;
    for (const auto& [oldRow, newRow] : *kept) {
        if (oldRow > oldNext || newRow > newNext) {
            changes.push_back({head + oldNext, oldRow - oldNext, head + newNext, newRow - newNext});
        }
        oldNext = oldRow + 1;
        newNext = newRow + 1;
    }
    return changes;
}

RowsPlan PlanRows(const std::vector<Finding>& before, const std::vector<Finding>& after) {
    RowsPlan plan;
    plan.changes = RowsChanges(before, after, kMostRowEdits);
    const bool isMany =
        plan.changes.size() == 1 && plan.changes[0].removed + plan.changes[0].added > kMostRowEdits;
    if (isMany) {
        plan = Rearrangement(before, after);
    } else {
        for (const RowsChange& change : plan.changes) {
            const auto first = after.begin() + static_cast<std::ptrdiff_t>(change.newAt);
            plan.rows.insert(plan.rows.end(), first,
                             first + static_cast<std::ptrdiff_t>(change.added));
        }
    }
    for (Finding& row : plan.rows) {
        row.node = nullptr;
    }
    return plan;
}

}  // namespace tw
