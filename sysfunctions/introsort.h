// Introspective sort over a vector: quicksort partitioning down to runs of at
// most 32 elements, which insertion sort finishes, and heap sort once the
// partition depth passes 2 log2(n). Unlike the standard library's sort every
// scan is bounds-checked, because the orders it serves (mixed number/text
// orders, script compare functions) need not be consistent: an inconsistent
// order gives some permutation, never an out-of-range access. The comparison
// may throw; the range is then left in some permutation of its elements.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <utility>
#include <vector>

namespace vornscript {

namespace introsortdetail {

inline constexpr std::ptrdiff_t smallrun = 32;

template <class T, class Less> void insertionsort(T* first, T* last, Less& less) {
    for (T* current = first + 1; current < last; ++current) {
        T* hole = current;
        while (hole > first && less(*hole, *(hole - 1))) {
            std::swap(*hole, *(hole - 1));
            --hole;
        }
    }
}

// Moves the median of the first, middle and last element to [first].
template <class T, class Less> void mediantofirst(T* first, T* last, Less& less) {
    T* a = first + 1;
    T* b = first + (last - first) / 2;
    T* c = last - 1;
    if (less(*a, *b)) {
        if (less(*b, *c)) {
            std::swap(*first, *b);
        } else if (less(*a, *c)) {
            std::swap(*first, *c);
        } else {
            std::swap(*first, *a);
        }
    } else if (less(*a, *c)) {
        std::swap(*first, *a);
    } else if (less(*b, *c)) {
        std::swap(*first, *c);
    } else {
        std::swap(*first, *b);
    }
}

// Partitions around the pivot at [first] and puts the pivot in its final
// place, which is returned; both sides exclude it, so each step shrinks.
template <class T, class Less> T* partition(T* first, T* last, Less& less) {
    T* low = first + 1;
    T* high = last - 1;
    while (true) {
        while (low <= high && less(*low, *first)) {
            ++low;
        }
        while (low <= high && less(*first, *high)) {
            --high;
        }
        if (low >= high) {
            break;
        }
        std::swap(*low, *high);
        ++low;
        --high;
    }
    std::swap(*first, *(low - 1));
    return low - 1;
}

template <class T, class Less> void heapsort(T* first, T* last, Less& less) {
    std::make_heap(first, last, less);
    std::sort_heap(first, last, less);
}

} // namespace introsortdetail

template <class T, class Less> void introsort(std::vector<T>& items, Less less) {
    using namespace introsortdetail;
    if (items.size() < 2) {
        return;
    }
    struct Range {
        T* first;
        T* last;
        int depthleft; // partitions allowed before heap sort takes over
    };
    // The larger side is handled next and the smaller one kept here, so the
    // list never holds more than log2(n) ranges.
    std::vector<Range> pending;
    Range range{items.data(), items.data() + items.size(),
                2 * static_cast<int>(std::bit_width(items.size()))};
    while (true) {
        if (range.last - range.first <= smallrun) {
            insertionsort(range.first, range.last, less);
        } else if (range.depthleft == 0) {
            heapsort(range.first, range.last, less);
        } else {
            mediantofirst(range.first, range.last, less);
            T* pivot = partition(range.first, range.last, less);
            const int depthleft = range.depthleft - 1;
            Range left{range.first, pivot, depthleft};
            Range right{pivot + 1, range.last, depthleft};
            const bool leftsmaller = left.last - left.first < right.last - right.first;
            pending.push_back(leftsmaller ? left : right);
            range = leftsmaller ? right : left;
            continue;
        }
        if (pending.empty()) {
            return;
        }
        range = pending.back();
        pending.pop_back();
    }
}

} // namespace vornscript
