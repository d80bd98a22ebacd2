// The divide and conquer over compact copies of the records: each record's coordinates with its
// place in the x ordering, kept in y order, so that the splits and strips read and write memory in
// order instead of reaching records all over it. The calls split, check leaves, build strips and
// scan windows exactly as findClosestDivideOverPointers does, on the same doubles, so they find
// the same pair at the same squared distance.
#pragma once

#include "divide_window.hpp"
#include "point.hpp"

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <new>
#ifdef __linux__
#include <sys/mman.h>
#endif

namespace divide_detail {

// A record's copy, named by its place in the x ordering.
template <class Point>
struct Placed {
    Point at;
    int rank;
};

// A block of memory for a large array, on huge pages where the system has them for the asking:
// the copies are written once each, and faulting them in page by page costs as much as a split.
inline void* allocateLarge(std::size_t size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t hugePage = std::size_t{1} << 21;
    if (size >= 4 * hugePage) {
        void* block = std::aligned_alloc(hugePage, (size + hugePage - 1) / hugePage * hugePage);
        if (block != nullptr)
            madvise(block, size, MADV_HUGEPAGE);
        return block;
    }
#endif
    return std::malloc(size);
}

template <class Point>
bool hasNaN(const Point& p)
{
    for (int k = 0; k < dimensionOf<Point>; ++k)
        if (coordinate(p, k) != coordinate(p, k))
            return true;
    return false;
}

// The call over the count records of x places base on, held in y order by byY, which it only
// reads. Its halves go to part, in y order, and the calls under it use what follows. Returns the
// smallest squared distance, with its pair's x places in *first and *second (left alone without
// a pair).
template <class Point>
double closestPlaced(const Placed<Point>* byY, int base, int count, Placed<Point>* part, int* first, int* second)
{
    if (count <= divideLeafMostCount) { // every pair, in x order, as the brute force over byX checks them
        Point inX[divideLeafMostCount];
        for (int i = 0; i < count; ++i)
            inX[byY[i].rank - base] = byY[i].at;
        double best = DBL_MAX;
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j) {
                const double d = squaredDistance(inX[i], inX[j]);
                if (d < best) {
                    best = d;
                    *first = base + i;
                    *second = base + j;
                }
            }
        return best;
    }

    // The split: x places below cut go left, keeping y order; the record at cut gives mx.
    const int half = count / 2;
    const int cut = base + half;
    double mx = 0;
    int left = 0;
    int right = half;
    for (int i = 0; i < count; ++i) {
        const Placed<Point>& p = byY[i];
        if (p.rank == cut)
            mx = p.at.x;
        const bool toLeft = p.rank < cut;
        // The place chosen by a mask, not a branch, which half the records would mispredict.
        part[right ^ ((left ^ right) & -static_cast<int>(toLeft))] = p;
        left += toLeft;
        right += !toLeft;
    }

    double best = closestPlaced(part, base, half, part + count, first, second);
    int rightFirst = -1;
    int rightSecond = -1;
    const double rightBest = closestPlaced(part + half, cut, count - half, part + count, &rightFirst, &rightSecond);
    if (rightBest < best) {
        best = rightBest;
        *first = rightFirst;
        *second = rightSecond;
    }

    // The strip, compacted in place as the pointer search compacts it, and its scan.
    int leftEnd = 0;
    for (int i = 0; i < half; ++i) {
        const double dx = part[i].at.x - mx;
        part[leftEnd] = part[i];
        leftEnd += dx * dx < best;
    }
    if (leftEnd == 0)
        return best;
    int rightEnd = half;
    for (int i = half; i < count; ++i) {
        const double dx = part[i].at.x - mx;
        part[rightEnd] = part[i];
        rightEnd += dx * dx < best;
    }
    int cursor = rightEnd - 1;
    for (int l = leftEnd - 1; l >= 0 && cursor >= half; --l) {
        const Point leftAt = part[l].at;
        while (cursor >= half && aboveWindow(part[cursor].at.y, leftAt.y, best))
            --cursor;
        const double windowBest = best;
        for (int u = cursor; u >= half && !belowWindow(part[u].at.y, leftAt.y, windowBest); --u) {
            const double d = squaredDistance(leftAt, part[u].at);
            if (d < best) {
                best = d;
                *first = part[l].rank;
                *second = part[u].rank;
            }
        }
    }
    return best;
}

} // namespace divide_detail

// findClosestDivideOverPointers' answer from compact copies of the records: true with best and the
// pair set, or false, with nothing written, where the copies do not apply: at most
// divideLeafMostCount records, byX and byY not the same records of one array, or a NaN coordinate
// (which the pointer search's split places by its own rule). Throws std::bad_alloc, as the pointer
// search does, when there is no memory for the copies.
template <class Point>
bool findClosestOverValues(Point* const* byX, int countX, Point* const* byY, int countY, Point** first,
                           Point** second, double& best)
{
    using namespace divide_detail;
    if (countX != countY || countX <= divideLeafMostCount)
        return false;
    const auto n = static_cast<std::size_t>(countX);
    const auto address = [](const Point* p) { return reinterpret_cast<std::uintptr_t>(p); };
    std::uintptr_t low = UINTPTR_MAX, high = 0;
    for (std::size_t i = 0; i < n; ++i) {
        low = std::min(low, address(byX[i]));
        high = std::max(high, address(byX[i]));
    }
    const std::size_t span = (high - low) / sizeof(Point) + 1;
    if (span > 2 * n) // far more room than records: not the records of one array
        return false;
    // Each record's x place, found from its offset in the array; -1 where none is, or once taken.
    int* const rank = static_cast<int*>(std::malloc(span * sizeof(int)));
    auto* const room = static_cast<Placed<Point>*>(allocateLarge((2 * n + 64) * sizeof(Placed<Point>)));
    if (rank == nullptr || room == nullptr) {
        std::free(rank);
        std::free(room);
        throw std::bad_alloc();
    }
    std::fill(rank, rank + span, -1);
    bool usable = true;
    for (std::size_t i = 0; i < n && usable; ++i) {
        const std::uintptr_t offset = address(byX[i]) - low;
        usable = offset % sizeof(Point) == 0;
        rank[offset / sizeof(Point)] = static_cast<int>(i);
    }
    // The copies in y order, in the second half of room: the first call's split reads them
    // before the calls under it reuse that room.
    Placed<Point>* const input = room + n;
    for (std::size_t j = 0; j < n && usable; ++j) {
        if (j + prefetchDistance < n) { // records and places all over memory: asked for ahead
            const std::uintptr_t ahead = address(byY[j + prefetchDistance]) - low;
            __builtin_prefetch(byY[j + prefetchDistance]);
            __builtin_prefetch(rank + std::min(ahead / sizeof(Point), span - 1));
        }
        const std::uintptr_t offset = address(byY[j]) - low; // wraps to beyond span below low
        usable = offset % sizeof(Point) == 0 && offset / sizeof(Point) < span && rank[offset / sizeof(Point)] >= 0 &&
                 !hasNaN(*byY[j]);
        if (usable) {
            input[j] = {*byY[j], rank[offset / sizeof(Point)]};
            rank[offset / sizeof(Point)] = -1;
        }
    }
    std::free(rank);
    if (!usable) {
        std::free(room);
        return false;
    }
    int a = -1;
    int b = -1;
    best = closestPlaced(input, 0, countX, room, &a, &b);
    std::free(room);
    if (a >= 0) {
        *first = byX[a];
        *second = byX[b];
    }
    return true;
}
