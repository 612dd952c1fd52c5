#include "cli/line_diff.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace tw::cli {
namespace {

// Edits past this many, or diagonal steps past kMaxWork, give up on a shortest script.
constexpr std::int64_t kMaxEdits = 1000;
constexpr std::size_t kMaxWork = 50'000'000;

// A line with its line end, so that a last line without one differs from one with it.
struct Line {
    std::string_view text;
    std::size_t hash = 0;
    friend bool operator==(const Line& a, const Line& b) {
        return a.hash == b.hash && a.text == b.text;
    }
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    const std::hash<std::string_view> hash;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
        const std::string_view line = text.substr(at, end - at);
        lines.push_back({line, hash(line)});
        at = end;
    }
    return lines;
}

enum class Op : std::uint8_t { kKeep, kRemove, kAdd };

// The script that ends on diagonal k at x after d edits, walked back round by round:
// rounds[r] holds the furthest x of diagonals -r-1 to r+1 after round r.
std::vector<Op> TraceBack(const std::vector<std::vector<std::int64_t>>& rounds, std::int64_t d,
                          std::int64_t k, std::int64_t x) {
    std::vector<Op> script;
    for (std::int64_t r = d; r > 0; --r) {
        const std::vector<std::int64_t>& prev = rounds[static_cast<std::size_t>(r - 1)];
        auto before = [&](std::int64_t kk) { return prev[static_cast<std::size_t>(kk + r)]; };
        const bool down = k == -r || (k != r && before(k - 1) < before(k + 1));
        const std::int64_t prevK = down ? k + 1 : k - 1;
        const std::int64_t prevX = before(prevK);
        const std::int64_t startX = down ? prevX : prevX + 1;
        script.insert(script.end(), static_cast<std::size_t>(x - startX), Op::kKeep);
        script.push_back(down ? Op::kAdd : Op::kRemove);
        x = prevX;
        k = prevK;
    }
    script.insert(script.end(), static_cast<std::size_t>(x), Op::kKeep);
    std::reverse(script.begin(), script.end());
    return script;
}

// Myers' greedy search for a shortest edit script of a into b. Round d keeps the furthest
// reaching x of diagonals -d-1 to d+1, so the script can be traced back; empty when the
// bound was met first.
std::vector<Op> ShortestScript(const std::vector<Line>& a, const std::vector<Line>& b) {
    const auto n = static_cast<std::int64_t>(a.size());
    const auto m = static_cast<std::int64_t>(b.size());
    const std::int64_t most = std::min<std::int64_t>(n + m, kMaxEdits);
    std::vector<std::vector<std::int64_t>> rounds;
    std::vector<std::int64_t> v(2 * static_cast<std::size_t>(most) + 3, 0);
    const std::int64_t offset = most + 1;
    auto at = [&](std::int64_t k) -> std::int64_t& {
        return v[static_cast<std::size_t>(offset + k)];
    };
    std::size_t work = 0;
    for (std::int64_t d = 0; d <= most; ++d) {
        for (std::int64_t k = -d; k <= d; k += 2) {
            const bool down = k == -d || (k != d && at(k - 1) < at(k + 1));
            std::int64_t x = down ? at(k + 1) : at(k - 1) + 1;
            std::int64_t y = x - k;
            while (x < n && y < m &&
                   a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)]) {
                ++x;
                ++y;
                ++work;
            }
            at(k) = x;
            if (++work > kMaxWork) {
                return {};
            }
            if (x >= n && y >= m) {
                return TraceBack(rounds, d, k, x);
            }
        }
        rounds.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
    }
    return {};
}

std::vector<Op> EditScript(const std::vector<Line>& a, const std::vector<Line>& b) {
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    const std::vector<Line> midA(a.begin() + static_cast<std::ptrdiff_t>(head),
                                 a.end() - static_cast<std::ptrdiff_t>(tail));
    const std::vector<Line> midB(b.begin() + static_cast<std::ptrdiff_t>(head),
                                 b.end() - static_cast<std::ptrdiff_t>(tail));
    std::vector<Op> middle = ShortestScript(midA, midB);
    if (middle.empty()) {
        middle.assign(midA.size(), Op::kRemove);
        middle.insert(middle.end(), midB.size(), Op::kAdd);
    }
    std::vector<Op> script(head, Op::kKeep);
    script.insert(script.end(), middle.begin(), middle.end());
    script.insert(script.end(), tail, Op::kKeep);
    return script;
}

// "-3,2": where a hunk's lines start in one text and how many there are; an empty range
// names the line before it.
std::string Range(std::size_t start, std::size_t count) {
    if (count == 1) {
        return std::to_string(start + 1);
    }
    return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

void AppendLine(std::string& out, char mark, std::string_view line) {
    out += mark;
    out += line;
    if (line.empty() || line.back() != '\n') {
        out += "\n\\ No newline at end of file\n";
    }
}

struct Hunk {
    std::size_t begin = 0;  // in the script
    std::size_t end = 0;
};

// Changes closer than twice the context share a hunk.
std::vector<Hunk> Hunks(const std::vector<Op>& script, std::size_t context) {
    std::vector<Hunk> hunks;
    for (std::size_t i = 0; i < script.size(); ++i) {
        if (script[i] == Op::kKeep) {
            continue;
        }
        const std::size_t begin = i >= context ? i - context : 0;
        std::size_t last = i;
        for (std::size_t j = i; j < script.size() && j <= last + 2 * context + 1; ++j) {
            if (script[j] != Op::kKeep) {
                last = j;
            }
        }
        const std::size_t end = std::min(script.size(), last + 1 + context);
        hunks.push_back({begin, end});
        i = last;
    }
    return hunks;
}

// Appends a hunk, its header first; ai and bi are where it starts in each text.
void AppendHunk(std::string& out, const std::vector<Op>& script, const Hunk& hunk,
                const std::vector<Line>& a, const std::vector<Line>& b, std::size_t ai,
                std::size_t bi) {
    std::size_t countA = 0;
    std::size_t countB = 0;
    for (std::size_t i = hunk.begin; i < hunk.end; ++i) {
        countA += script[i] != Op::kAdd ? 1 : 0;
        countB += script[i] != Op::kRemove ? 1 : 0;
    }
    out += "@@ -" + Range(ai, countA) + " +" + Range(bi, countB) + " @@\n";
    for (std::size_t i = hunk.begin; i < hunk.end; ++i) {
        if (script[i] == Op::kKeep) {
            AppendLine(out, ' ', a[ai++].text);
            ++bi;
        } else if (script[i] == Op::kRemove) {
            AppendLine(out, '-', a[ai++].text);
        } else {
            AppendLine(out, '+', b[bi++].text);
        }
    }
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after,
                        std::string_view beforeName, std::string_view afterName,
                        std::size_t context) {
    const std::vector<Line> a = SplitLines(before);
    const std::vector<Line> b = SplitLines(after);
    const std::vector<Op> script = EditScript(a, b);
    const std::vector<Hunk> hunks = Hunks(script, context);
    if (hunks.empty()) {
        return {};
    }
    std::string out = "--- " + std::string(beforeName) + "\n+++ " + std::string(afterName) + "\n";
    std::size_t ai = 0;
    std::size_t bi = 0;
    std::size_t at = 0;
    for (const Hunk& hunk : hunks) {
        for (; at < hunk.begin; ++at) {
            ai += script[at] != Op::kAdd ? 1 : 0;
            bi += script[at] != Op::kRemove ? 1 : 0;
        }
        AppendHunk(out, script, hunk, a, b, ai, bi);
    }
    return out;
}

}  // namespace tw::cli
