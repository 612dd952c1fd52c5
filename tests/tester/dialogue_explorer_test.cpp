// The explorer as the editor drives it: a job over a copy of the dialogue on a worker
// thread, followed through its progress, stopped by its cancel flag, and the per-node
// coverage it hands back for shading the tree.

#include "tester/explore/dialogue_explorer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tester/dialogue_builder.h"

namespace tw {
namespace {

TEST(ExploreJob, RunsOverItsOwnCopyOnAWorkerThreadUntilCancelled) {
    // Every visit counts one more: each is a state of its own, without end.
    DialogueBuilder builder("Count $n.");
    builder.Command(builder.Root(), "$n = $n + 1");
    builder.Add(builder.Root(), "A01", "Again.", "Start");
    ExploreJob job(builder.dialogue, nullptr, ExploreOptions{});
    builder.Root().SetName("Renamed");  // the editor goes on editing the original

    std::atomic<bool> cancel{false};
    std::vector<std::size_t> reported;
    ExploreControl control;
    control.cancel = &cancel;
    control.progress = [&](const ExploreProgress& progress) {
        reported.push_back(progress.states);
        EXPECT_EQ(progress.maxStates, 100000u);
        EXPECT_EQ(progress.seedCount, 1u);
        cancel = progress.states >= 1000;
    };
    ExploreResult result;
    std::thread worker([&] { result = job.Run(control); });
    worker.join();

    EXPECT_EQ(result.end, ExploreEnd::kCancelled);
    EXPECT_FALSE(result.IsComplete());
    EXPECT_GE(result.states, 1000u);
    EXPECT_LT(result.states, 1000u + 2 * ExploreControl::kProgressInterval);
    ASSERT_GE(reported.size(), 4u);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    // States not yet explored may still lead to an end: nothing is said of them.
    EXPECT_TRUE(result.findings.empty());
}

TEST(ExploreJob, StartsAtTheGivenNodeAndReportsCoverageNodeByNode) {
    DialogueBuilder builder;
    builder.Add(builder.Root(), "A01", "To the shop.", "Shop");
    DialogueNode& shop = builder.Node("Shop", "Wares.");
    builder.Command(shop, "$visits = $visits + 1");
    builder.Cut(shop, "A01");
    builder.Add(shop, "B01", "Buy.", "Till", "$visits > 5");
    builder.Add(shop, "B02", "Pay.", "Till");
    DialogueNode& till = builder.Node("Till", "Thanks.");
    builder.Command(till, "END CONVERSATION");

    ExploreJob job(builder.dialogue, &shop, ExploreOptions{});
    const ExploreResult result = job.Run();

    ASSERT_TRUE(result.compileErrors.empty());
    EXPECT_TRUE(result.IsComplete());
    ASSERT_EQ(result.nodes.size(), 3u);
    EXPECT_FALSE(result.nodes[0].entered);  // the start node's commands only ran unseen
    EXPECT_TRUE(result.nodes[1].entered);
    EXPECT_EQ(result.nodes[1].nodeId, shop.GetId());
    EXPECT_EQ(result.nodes[1].offered, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(result.nodes[1].chosen, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(result.coverage.nodesEntered, 2u);
    EXPECT_EQ(result.coverage.responses, 3u);
    ASSERT_EQ(result.findings.size(), 2u);
    EXPECT_EQ(result.findings[0].finding.rule, kRuleNeverReached);
    EXPECT_EQ(result.findings[0].finding.nodeId, 0);
    EXPECT_EQ(result.findings[1].finding.rule, kRuleNeverOffered);
    EXPECT_EQ(result.findings[1].finding.index, 1u);
    EXPECT_EQ(result.findings[1].tag, "B01");
    EXPECT_FALSE(result.findings[1].hasRoad);
}

}  // namespace
}  // namespace tw
