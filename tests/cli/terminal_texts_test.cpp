// What the commands draw for a person at the terminal: the unified diff of test, against
// what `diff -u` prints for the same texts, and the progress bar.

#include <gtest/gtest.h>

#include <string>

#include "cli/line_diff.h"
#include "cli/terminal_progress.h"

namespace tw::cli {
namespace {

struct DiffCase {
    std::string before;
    std::string after;
    std::string hunks;  // the diff after its two header lines
};

TEST(UnifiedDiff, MatchesDiffU) {
    const DiffCase cases[] = {
        {"same\n", "same\n", ""},
        // Changes six lines apart share a hunk; seven apart do not.
        {"a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\n", "a\nb\nX\nd\ne\nf\ng\nh\ni\nY\nk\n",
         "@@ -1,11 +1,11 @@\n a\n b\n-c\n+X\n d\n e\n f\n g\n h\n i\n-j\n+Y\n k\n"},
        {"a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\nm\nn\n", "a\nX\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\nY\nn\n",
         "@@ -1,5 +1,5 @@\n a\n-b\n+X\n c\n d\n e\n@@ -10,5 +10,5 @@\n j\n k\n l\n-m\n+Y\n n\n"},
        {"a\nb", "a\nb\n", "@@ -1,2 +1,2 @@\n a\n-b\n\\ No newline at end of file\n+b\n"},
        {"", "a\n", "@@ -0,0 +1 @@\n+a\n"},
        {"x\ny\n", "y\nx\n", "@@ -1,2 +1,2 @@\n-x\n y\n+x\n"},
    };
    for (const DiffCase& c : cases) {
        const std::string diff = UnifiedDiff(c.before, c.after, "old", "new");
        EXPECT_EQ(diff, c.hunks.empty() ? "" : "--- old\n+++ new\n" + c.hunks) << c.before;
    }
}

// Past the bound on edits the middle is shown removed and added whole.
TEST(UnifiedDiff, ManyChangesStillMakeOneValidHunk) {
    std::string before;
    std::string after;
    for (int i = 1; i <= 3000; ++i) {
        before += std::to_string(i) + "\n";
        after += (i % 2 == 1 ? "" : "z") + std::to_string(i) + "\n";
    }
    const std::string diff = UnifiedDiff(before, after, "old", "new");
    EXPECT_EQ(diff.substr(0, diff.find('\n', 20) + 1), "--- old\n+++ new\n@@ -1,3000 +1,3000 @@\n");
    EXPECT_EQ(diff.find("\n-3000\n+z3000\n"), std::string::npos);
    EXPECT_NE(diff.find("\n-2999\n-3000\n+z2\n"), std::string::npos);
}

// The bar batch-export draws while it works.
TEST(ProgressBar, FillsInProportion) {
    struct Case {
        std::size_t done, total, width;
        const char* bar;
    };
    const Case cases[] = {
        {0, 4, 8, "[        ] 0/4"},    {1, 4, 8, "[##      ] 1/4"}, {4, 4, 8, "[########] 4/4"},
        {3, 7, 10, "[####      ] 3/7"}, {0, 0, 4, "[####] 0/0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressBar(c.done, c.total, c.width), c.bar);
    }
}

}  // namespace
}  // namespace tw::cli
