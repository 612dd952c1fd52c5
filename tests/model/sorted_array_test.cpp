#include "model/sorted_array.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Integers compared the way NodeCompare answers: -1, 0 or 1.
struct IntCompare {
    int Compare(int a, int b) const { return a < b ? -1 : (a > b ? 1 : 0); }
};

TEST(SortedArray, SortsAtConstructionAndFinds) {
    SortedArray<int, IntCompare> array({5, 3, 9, 1, 7, 3}, IntCompare());
    EXPECT_EQ(array.Elements(), (std::vector<int>{1, 3, 3, 5, 7, 9}));
    EXPECT_EQ(array.GetCount(), 6);
    EXPECT_EQ(array.Find(1), 0);
    EXPECT_EQ(array.Find(9), 5);
    EXPECT_EQ(array.Find(7), 4);
    EXPECT_EQ(array.Find(3), 2);  // the search runs to the last of equal elements
    EXPECT_EQ(array.Find(4), -1);
    EXPECT_EQ(array.Find(10), -1);
    EXPECT_EQ(array.BinarySearch(5, 0, 2), -1);
    array.ElementAt(0) = 2;
    EXPECT_EQ(array.Find(2), 0);
}

TEST(SortedArray, EmptyAndSingle) {
    SortedArray<int, IntCompare> empty({}, IntCompare());
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_EQ(empty.Find(1), -1);
    SortedArray<int, IntCompare> one({4}, IntCompare());
    EXPECT_EQ(one.Find(4), 0);
    EXPECT_EQ(one.Find(5), -1);
}

TEST(SortedArray, PartitionPlacesThePivot) {
    SortedArray<int, IntCompare> sorted({3, 1, 2}, IntCompare());
    EXPECT_EQ(sorted.Partition(0, 2), 0);  // sorted already: the pivot 1 stays first
    EXPECT_EQ(sorted.Partition(1, 1), 1);
}

TEST(SortedArray, LongSortedRunsNeedNoDeepRecursion) {
    std::vector<int> values(20000);
    for (int i = 0; i < 20000; ++i) {
        values[static_cast<std::size_t>(i)] = i;
    }
    SortedArray<int, IntCompare> array(values, IntCompare());
    EXPECT_EQ(array.Elements(), values);
}

}  // namespace
}  // namespace tw
