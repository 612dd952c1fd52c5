#include "tester/random_source.h"

#include <gtest/gtest.h>

#include <array>

namespace tw {
namespace {

TEST(RandomSourceTest, FollowsTheClassicGeneratorSequenceAndRestartsWhenReseeded) {
    // The well-known first draws of the C library generator after srand(1).
    constexpr std::array<int, 10> kSeedOne{41,    18467, 6334,  26500, 19169,
                                           15724, 11478, 29358, 26962, 24464};
    RandomSource random(1);
    for (int expected : kSeedOne) {
        EXPECT_EQ(random.Next(), expected);
    }
    // Reseeding restarts the sequence, and draws stay in range.
    random.Seed(0xFFFFFFFFu);
    std::array<int, 100> first{};
    for (int& draw : first) {
        draw = random.Next();
        EXPECT_GE(draw, 0);
        EXPECT_LE(draw, RandomSource::kMax);
    }
    random.Seed(0xFFFFFFFFu);
    for (int draw : first) {
        EXPECT_EQ(random.Next(), draw);
    }
}

}  // namespace
}  // namespace tw
