// The explorer as the editor drives it: a job over a copy of the dialogue on a worker
// thread, followed through its progress, stopped by its cancel flag, and the per-node
// coverage it hands back for shading the tree.

#include "tester/explore/dialogue_explorer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "support/dialogue_builder.h"

namespace tw {
namespace {

TEST(ExploreJob, RunsOverItsOwnCopyOnAWorkerThreadUntilCancelled) {
    // Every visit counts one more: each is a state of its own, without end.
    DialogueBuilder builder("Count $n.");
    AddScript(builder.Root(), "$n = $n + 1");
    AddResponse(builder.Root(), "A01", "Again.", "Start");
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

// What the editor shows node by node; the coverage and the findings of this dialogue are in
// the explore case tests/cli/data/explore/start_at_shop.json.
TEST(ExploreJob, ReportsCoverageNodeByNode) {
    DialogueBuilder builder;
    AddResponse(builder.Root(), "A01", "To the shop.", "Shop");
    DialogueNode& shop = builder.Node("Shop", "Wares.");
    AddScript(shop, "$visits = $visits + 1");
    CutResponse(shop, "A01");
    AddResponse(shop, "B01", "Buy.", "Till", "$visits > 5");
    AddResponse(shop, "B02", "Pay.", "Till");
    AddScript(builder.Node("Till", "Thanks."), "END CONVERSATION");

    const ExploreResult result = ExploreJob(builder.dialogue, &shop, ExploreOptions{}).Run();
    ASSERT_EQ(result.nodes.size(), 3u);
    EXPECT_FALSE(result.nodes[0].entered);  // the start node's commands only ran unseen
    EXPECT_TRUE(result.nodes[1].entered);
    EXPECT_TRUE(result.nodes[2].entered);
    EXPECT_EQ(result.nodes[1].nodeId, shop.GetId());
    EXPECT_EQ(result.nodes[1].offered, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(result.nodes[1].chosen, (std::vector<bool>{false, false, true}));
}

}  // namespace
}  // namespace tw
