#pragma once

// SortedArray: a copy of an array sorted at construction with the classic first-element
// pivot quicksort, and a binary search over it. Elements that compare equal may change
// their relative order, as that quicksort moves them.

#include <algorithm>
#include <utility>
#include <vector>

namespace tw {

template <typename T, typename Comparator>
class SortedArray {
public:
    SortedArray(std::vector<T> elements, Comparator comparator)
        : comparator_(std::move(comparator)), elements_(std::move(elements)) {
        Sort();
    }

    int GetCount() const { return static_cast<int>(elements_.size()); }
    T& ElementAt(int index) { return elements_.at(static_cast<std::size_t>(index)); }
    const std::vector<T>& Elements() const { return elements_; }

    void Sort() { QuickSort(0, GetCount() - 1); }

    // The index of an element comparing equal to x, or -1.
    int Find(const T& x) const {
        return elements_.empty() ? -1 : BinarySearch(x, 0, GetCount() - 1);
    }

    int Partition(int low, int high) {
        if (low >= high) {
            return high;
        }
        const T pivot = elements_[Index(low)];
        int i = low;
        int j = high;
        for (;;) {
            while (i <= high && Compare(elements_[Index(i)], pivot) <= 0) {
                ++i;
            }
            while (j >= low && Compare(elements_[Index(j)], pivot) >= 1) {
                --j;
            }
            if (i >= j) {
                break;
            }
            std::swap(elements_[Index(i)], elements_[Index(j)]);
        }
        std::swap(elements_[Index(low)], elements_[Index(j)]);
        return j;
    }

    // The ranges are kept on a stack of our own rather than the call stack: an already
    // sorted list of siblings would otherwise nest one call per element. The ranges are
    // disjoint, so the order they are done in does not change the result.
    //
    // A range already in order, or in reverse order, would cost the first-element pivot
    // a pass per element: a sort of a sorted dialogue took the square of its largest
    // sibling list. Partitioning leaves a strictly increasing range as it is and turns a
    // strictly decreasing one around, so those two are finished at once, with the very
    // result the partitions would give.
    void QuickSort(int low, int high) {
        std::vector<std::pair<int, int>> ranges{{low, high}};
        while (!ranges.empty()) {
            const auto [from, to] = ranges.back();
            ranges.pop_back();
            if (from < to && IsStrictlyOrdered(from, to, -1)) {
                continue;
            }
            if (from < to && IsStrictlyOrdered(from, to, 1)) {
                std::reverse(elements_.begin() + from, elements_.begin() + to + 1);
                continue;
            }
            if (from < to) {
                const int p = Partition(from, to);
                ranges.emplace_back(p + 1, to);
                ranges.emplace_back(from, p - 1);
            }
        }
    }

    // Every neighbour pair compares as sign says: -1 increasing, 1 decreasing.
    bool IsStrictlyOrdered(int low, int high, int sign) const {
        for (int i = low; i < high; ++i) {
            const int order = Compare(elements_[Index(i)], elements_[Index(i + 1)]);
            if (sign < 0 ? order >= 0 : order <= 0) {
                return false;
            }
        }
        return true;
    }

    int BinarySearch(const T& x, int low, int high) const {
        while (low != high) {
            const int mid = (low + high) / 2;
            if (Compare(x, elements_[Index(mid + 1)]) >= 0) {
                low = mid + 1;
            } else {
                high = mid;
            }
        }
        return Compare(elements_[Index(low)], x) == 0 ? low : -1;
    }

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    int Compare(const T& a, const T& b) const { return comparator_.Compare(a, b); }

    Comparator comparator_;
    std::vector<T> elements_;
};

}  // namespace tw
