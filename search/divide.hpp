// Divide-and-conquer closest pair over an x-ordered and a y-ordered array of record pointers.
//
// The strip and the scan window are decided on computed squared differences, compared with the
// running best squared distance: for a pair (L, R) across the split, the rounded |x - mx| and
// |y difference| never exceed the rounded |L.x - R.x| and |L.y - R.y|, and each square is at most
// the computed squared distance. So no pair whose computed squared distance is below best is ever
// left out, and the result is always the brute force's, bit for bit. Bounds built from a rounded
// sqrt(best) do not have that property.
#pragma once

#include "brute_force.hpp"
#include "divide_values.hpp"
#include "divide_window.hpp"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace divide_detail {

// A call's scratch array: on the stack for small calls, else malloc'd and freed when it goes out
// of scope.
template <class Point>
struct ScratchArray {
    static constexpr int onStack = 64;
    Point* local[onStack];
    Point** data;

    explicit ScratchArray(int count) : data(count <= onStack ? local : allocateArray<Point*>(count)) {}
    ~ScratchArray()
    {
        if (data != local)
            std::free(data);
    }
    ScratchArray(const ScratchArray&) = delete;
    ScratchArray& operator=(const ScratchArray&) = delete;
};

// Tells the halves of a split apart: records with x below mx go left, above mx right, and those
// whose x equals mx go where byX holds them, at positions below half or not. Those ties are
// looked up in a sorted copy of the smaller of the two groups of ties around half. (A NaN x fails
// every test; the split only has to put such a record somewhere.)
template <class Point>
struct HalfTest {
    double mx;
    Point** ties = nullptr; // sorted by address; empty when no tie lies left of half
    int tieCount = 0;
    bool tiesAreLeft = false;

    HalfTest(Point* const* byX, int countX, int half) : mx(byX[half]->x)
    {
        int start = half;
        while (start > 0 && byX[start - 1]->x == mx)
            --start;
        if (start == half)
            return;
        int end = half + 1;
        while (end < countX && byX[end]->x == mx)
            ++end;
        tiesAreLeft = half - start <= end - half;
        const int from = tiesAreLeft ? start : half;
        tieCount = tiesAreLeft ? half - start : end - half;
        ties = allocateArray<Point*>(tieCount);
        std::copy(byX + from, byX + from + tieCount, ties);
        std::sort(ties, ties + tieCount, std::less<Point*>());
    }
    ~HalfTest() { std::free(ties); }
    HalfTest(const HalfTest&) = delete;
    HalfTest& operator=(const HalfTest&) = delete;

    bool isLeft(Point* p) const
    {
        if (tieCount == 0) // the common case, kept free of unpredictable branches
            return p->x < mx;
        if (p->x < mx)
            return true;
        if (p->x > mx)
            return false;
        return std::binary_search(ties, ties + tieCount, p, std::less<Point*>()) == tiesAreLeft;
    }
};

} // namespace divide_detail

// What the divide and conquer tells an observer as it goes, in the order it happens. The
// default observer is not active: the search then compiles exactly as if it had none.
template <class Point>
struct SearchObserver {
    static constexpr bool active = false;
    // A call of more than divideLeafMostCount records splits them at byX[half], whose x is mx.
    void split(Point* const* /*byX*/, int /*count*/, int /*half*/, double /*mx*/) {}
    // A call of at most divideLeafMostCount records was checked pair by pair: best, with its pair (null without one).
    void leaf(Point* const* /*byX*/, int /*count*/, double /*best*/, Point* /*first*/, Point* /*second*/) {}
    // The halves' answers were combined; on a tie the left one is kept.
    void combine(double /*left*/, Point* /*leftFirst*/, Point* /*leftSecond*/, double /*right*/,
                 Point* /*rightFirst*/, Point* /*rightSecond*/)
    {
    }
    // The strip around mx for the best so far: leftCount and rightCount records of each half.
    void strip(double /*mx*/, double /*best*/, int /*leftCount*/, int /*rightCount*/) {}
    // In the strip, left record l was compared with right record r at squared distance d, when the
    // best so far was best; d < best makes them the new best pair.
    void compare(Point* /*l*/, Point* /*r*/, double /*d*/, double /*best*/) {}
    // The call of count records starting at byX returns best with its pair.
    void answer(Point* const* /*byX*/, int /*count*/, double /*best*/, Point* /*first*/, Point* /*second*/) {}
};

// The divide and conquer over the record pointers themselves: the reference that the search over
// compact copies (divide_values.hpp) answers exactly as, and the form an observer hears.
//
// Smallest squared distance of the records, with the pair in *first and *second. byX and byY hold
// the same countX == countY records in ascending x and y; neither array is written. Calls of up to
// divideLeafMostCount records check every pair. Equal distances keep the halves' pair over a strip pair and the
// left half's pair over the right's. Throws std::bad_alloc when a scratch array cannot be had.
// An observer, when given, hears of every step (see SearchObserver).
//
// Kept out of interprocedural optimisation: without an observer GCC would clone the function to
// drop the unused parameter, and the clone measured several per cent slower in 2D.
template <class Point, class Observer = SearchObserver<Point>>
[[gnu::noipa]] double findClosestDivideOverPointers(Point* const* byX, int countX, Point* const* byY, int countY,
                                                    Point** first, Point** second,
                                                    [[maybe_unused]] Observer* observer = nullptr)
{
    using namespace divide_detail;
    if (countX <= divideLeafMostCount) {
        const double best = findClosestBrutePlain(byX, countX, first, second);
        if constexpr (Observer::active)
            observer->leaf(byX, countX, best, *first, *second);
        return best;
    }

    const int half = countX / 2;
    const bool prefetch = countY >= prefetchFromCount;
    ScratchArray<Point> scratch(countY);
    Point** const part = scratch.data;
    double mx;
    {
        // Split byY by half, keeping y order: the left half's records into part[0, half), the
        // right half's into part[half, countY). A full side sends the rest to the other, so the
        // parts have exactly the halves' sizes even when NaN coordinates leave the orderings
        // inconsistent.
        const HalfTest<Point> halves(byX, countX, half);
        mx = halves.mx;
        if constexpr (Observer::active)
            observer->split(byX, countX, half, mx);
        int left = 0;
        int right = half;
        for (int i = 0; i < countY; ++i) {
            if (prefetch && i + prefetchDistance < countY)
                __builtin_prefetch(byY[i + prefetchDistance]);
            Point* p = byY[i];
            const bool toLeft = (left < half && halves.isLeft(p)) || right == countY;
            part[toLeft ? left : right] = p;
            left += toLeft;
            right += !toLeft;
        }
    }

    double best = findClosestDivideOverPointers(byX, half, part, half, first, second, observer);
    Point* rightFirst = nullptr;
    Point* rightSecond = nullptr;
    const double rightBest = findClosestDivideOverPointers(byX + half, countX - half, part + half, countY - half,
                                                           &rightFirst, &rightSecond, observer);
    if constexpr (Observer::active)
        observer->combine(best, *first, *second, rightBest, rightFirst, rightSecond);
    if (rightBest < best) {
        best = rightBest;
        *first = rightFirst;
        *second = rightSecond;
    }

    // The strip: each half's records close enough to the median line, kept in ascending y by
    // compacting the parts in place (the recursive calls only read them). Every record is
    // written and only the kept ones advance the end, which spares a branch per record.
    int leftEnd = 0;
    for (int i = 0; i < half; ++i) {
        if (prefetch && i + prefetchDistance < countY)
            __builtin_prefetch(part[i + prefetchDistance]);
        const double dx = part[i]->x - mx;
        part[leftEnd] = part[i];
        leftEnd += dx * dx < best;
    }
    // Without a left strip nothing is scanned; the right strip is then built only to tell an
    // observer of it.
    if (leftEnd == 0 && !Observer::active)
        return best;
    int rightEnd = half;
    for (int i = half; i < countY; ++i) {
        if (prefetch && i + prefetchDistance < countY)
            __builtin_prefetch(part[i + prefetchDistance]);
        const double dx = part[i]->x - mx;
        part[rightEnd] = part[i];
        rightEnd += dx * dx < best;
    }
    if constexpr (Observer::active)
        observer->strip(mx, best, leftEnd, rightEnd - half);

    // Scan the left strip from the top down; the cursor walks the right strip from the top down
    // and never goes back.
    int cursor = rightEnd - 1;
    for (int l = leftEnd - 1; l >= 0 && cursor >= half; --l) {
        Point* left = part[l];
        while (cursor >= half && aboveWindow(part[cursor]->y, left->y, best))
            --cursor;
        const double windowBest = best; // the window's lower edge stays put for this record
        for (int u = cursor; u >= half && !belowWindow(part[u]->y, left->y, windowBest); --u) {
            const double d = squaredDistance(*left, *part[u]);
            if constexpr (Observer::active)
                observer->compare(left, part[u], d, best);
            if (d < best) {
                best = d;
                *first = left;
                *second = part[u];
            }
        }
    }
    if constexpr (Observer::active)
        observer->answer(byX, countX, best, *first, *second);
    return best;
}

// Smallest squared distance of the records, with the pair in *first and *second, as
// findClosestDivideOverPointers gives them, bit for bit and record for record. Without an observer
// it searches compact copies of the records (findClosestOverValues) where it can: the walks over
// y-ordered records then read memory in order instead of records all over it.
template <class Point, class Observer = SearchObserver<Point>>
double findClosestDivide(Point* const* byX, int countX, Point* const* byY, int countY, Point** first,
                         Point** second, Observer* observer = nullptr)
{
    if constexpr (!Observer::active) {
        double best = 0;
        if (findClosestOverValues(byX, countX, byY, countY, first, second, best))
            return best;
    }
    return findClosestDivideOverPointers(byX, countX, byY, countY, first, second, observer);
}
