#include "model/sorted_array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

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
    EXPECT_EQ((SortedArray<int, IntCompare>({}, IntCompare()).Find(1)), -1);
    EXPECT_EQ((SortedArray<int, IntCompare>({4}, IntCompare()).Find(4)), 0);
}

// Keys with an identity beside them, compared by key alone, so that the order equal keys
// end up in shows; the count of comparisons is kept too.
using Keyed = std::pair<int, int>;
struct KeyCompare {
    long* comparisons;
    int Compare(const Keyed& a, const Keyed& b) const {
        ++*comparisons;
        return a.first < b.first ? -1 : (a.first > b.first ? 1 : 0);
    }
};

// The first-element pivot quicksort without any shortcut, as the result must stay.
void ReferenceQuickSort(std::vector<Keyed>& v, int low, int high) {
    if (low >= high) {
        return;
    }
    const Keyed pivot = v[static_cast<std::size_t>(low)];
    int i = low;
    int j = high;
    auto at = [&v](int k) -> Keyed& { return v[static_cast<std::size_t>(k)]; };
    for (;;) {
        while (i <= high && at(i).first <= pivot.first) {
            ++i;
        }
        while (j >= low && at(j).first > pivot.first) {
            --j;
        }
        if (i >= j) {
            break;
        }
        std::swap(at(i), at(j));
    }
    std::swap(at(low), at(j));
    ReferenceQuickSort(v, low, j - 1);
    ReferenceQuickSort(v, j + 1, high);
}

std::vector<Keyed> Shaped(int shape, int size, std::mt19937& random) {
    std::vector<Keyed> v;
    const int spread = shape % 2 == 0 ? size * 4 : std::max(1, size / 8);  // odd: many equal
    for (int k = 0; k < size; ++k) {
        v.emplace_back(static_cast<int>(random() % static_cast<unsigned>(spread + 1)), k);
    }
    if (shape >= 2) {
        std::sort(v.begin(), v.end());
    }
    if (shape >= 4) {
        std::reverse(v.begin(), v.end());
    }
    if (shape >= 6 && size > 1) {
        std::swap(v[random() % v.size()], v[random() % v.size()]);
    }
    return v;
}

TEST(SortedArray, OrderedRunsSortAsThePlainQuicksortDoes) {
    std::mt19937 random(7);
    for (int shape = 0; shape < 8; ++shape) {
        for (const int size : {0, 1, 2, 3, 5, 17, 64, 301}) {
            const std::vector<Keyed> input = Shaped(shape, size, random);
            std::vector<Keyed> expected = input;
            ReferenceQuickSort(expected, 0, size - 1);
            long comparisons = 0;
            const SortedArray<Keyed, KeyCompare> sorted(input, KeyCompare{&comparisons});
            EXPECT_EQ(sorted.Elements(), expected) << "shape " << shape << ", size " << size;
        }
    }
}

TEST(SortedArray, SortedAndReversedListsTakeOnePass) {
    std::vector<Keyed> ascending;
    for (int k = 0; k < 20000; ++k) {
        ascending.emplace_back(k, k);
    }
    std::vector<Keyed> descending(ascending.rbegin(), ascending.rend());
    for (const auto* input : {&ascending, &descending}) {
        long comparisons = 0;
        const SortedArray<Keyed, KeyCompare> sorted(*input, KeyCompare{&comparisons});
        EXPECT_EQ(sorted.Elements(), ascending);
        EXPECT_LE(comparisons, 2 * 20000);  // the plain quicksort makes about 200 million
    }
}

}  // namespace
}  // namespace tw
