// The two orderings of a run's records.
#include "run/run.hpp"
#include "search/point.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#ifdef CLOSEST_THREADS
#include <thread>
#endif

namespace {

// glibc's qsort sorts arrays of this size with a stable merge sort, so a stable sort reproduces
// its order exactly, also on C libraries whose qsort orders ties otherwise.
template <class Point>
void stableSortBy(Point** begin, Point** end, int axis)
{
    std::stable_sort(begin, end,
                     [axis](const Point* a, const Point* b) { return coordinate(*a, axis) < coordinate(*b, axis); });
}

// Below this many records the stable sort is quicker than counting keys.
constexpr int keySortLeastCount = 256;

// A coordinate's key: its bits, ordered as the doubles are (-0 as +0, which it equals), with the
// record's index, which breaks ties as the stable sort does. Packed into 12 bytes, which keeps the
// sorts' memory at 4 * 12 bytes a record, both orderings at once.
struct [[gnu::packed]] Keyed {
    std::uint64_t key;
    std::uint32_t index;
};

std::uint64_t orderedBits(double value)
{
    const double ordered = value == 0 ? 0.0 : value;
    std::uint64_t bits;
    std::memcpy(&bits, &ordered, sizeof bits); // std::bit_cast, which emscripten's library lacks
    return bits >> 63 != 0 ? ~bits : bits | std::uint64_t{1} << 63;
}

// The stable sort's order by one coordinate, built from the coordinates' keys in keyed and other
// (count each): a radix sort from the lowest byte to the highest, each pass stable, the passes
// where every key has the same byte skipped. False, with nothing written, when a coordinate is NaN,
// which has no place in that order.
template <class Point>
bool keySortBy(Point* records, int count, int axis, Point** order, Keyed* keyed, Keyed* other)
{
    std::uint32_t counts[8][256] = {};
    for (int i = 0; i < count; ++i) {
        const double value = coordinate(records[i], axis);
        if (value != value)
            return false;
        const std::uint64_t key = orderedBits(value);
        keyed[i] = {key, static_cast<std::uint32_t>(i)};
        for (int pass = 0; pass < 8; ++pass)
            ++counts[pass][key >> (8 * pass) & 0xff];
    }
    for (int pass = 0; pass < 8; ++pass) {
        std::uint32_t* const starts = counts[pass];
        if (starts[keyed[0].key >> (8 * pass) & 0xff] == static_cast<std::uint32_t>(count))
            continue;
        std::uint32_t start = 0;
        for (int b = 0; b < 256; ++b)
            start += std::exchange(starts[b], start);
        for (int i = 0; i < count; ++i)
            other[starts[keyed[i].key >> (8 * pass) & 0xff]++] = keyed[i];
        std::swap(keyed, other);
    }
    for (int i = 0; i < count; ++i)
        order[i] = &records[keyed[i].index];
    return true;
}

// The records' order by one coordinate, as glibc's qsort leaves it: by key when given room for
// the keys (2 * count) and no coordinate is NaN, else by the stable sort.
template <class Point>
void orderBy(Point* records, int count, int axis, Point** order, Keyed* room)
{
    if (room != nullptr && keySortBy(records, count, axis, order, room, room + count))
        return;
    for (int i = 0; i < count; ++i)
        order[i] = &records[i];
    stableSortBy(order, order + count, axis);
}

// Room for the keys of both orderings, when there are enough records to gain by them and memory
// to hold them (the stable sort needs less); else null.
Keyed* keyRoom(int count)
{
    if (count < keySortLeastCount)
        return nullptr;
    return static_cast<Keyed*>(std::malloc(sizeof(Keyed) * 4 * static_cast<std::size_t>(count)));
}

// The programs sort with qsort, which in glibc is a stable merge sort; other C libraries' qsort
// orders equal keys otherwise, so there the stable sort stands in for it.
#ifdef __GLIBC__
constexpr bool qsortIsGlibcs = true;
#else
constexpr bool qsortIsGlibcs = false;
#endif

} // namespace

template <class Point>
ClosestPairRun<Point> sortRun(Point* records, int count, bool stable)
{
    ClosestPairRun<Point> run;
    run.count = count;
    run.records = records;
    try { // the run owns the records from here on: a failed allocation hands back what it holds
        run.byX = allocateArray<Point*>(count);
        run.byY = allocateArray<Point*>(count);
    } catch (...) {
        releaseRun(run);
        throw;
    }
    if (count <= 0)
        return run;
    if (stable || !qsortIsGlibcs) {
        Keyed* const room = keyRoom(count);
        Keyed* const yRoom = room == nullptr ? nullptr : room + 2 * static_cast<std::size_t>(count);
#ifdef CLOSEST_THREADS
        std::thread byY([&run, records, count, yRoom] { orderBy(records, count, 1, run.byY, yRoom); });
        orderBy(records, count, 0, run.byX, room);
        byY.join();
#else
        orderBy(records, count, 1, run.byY, yRoom);
        orderBy(records, count, 0, run.byX, room);
#endif
        std::free(room);
    } else {
        for (int i = 0; i < count; ++i)
            run.byX[i] = &records[i];
        std::memcpy(run.byY, run.byX, sizeof(Point*) * static_cast<std::size_t>(count));
        std::qsort(run.byX, count, sizeof(Point*), compareByX<Point>);
        std::qsort(run.byY, count, sizeof(Point*), compareByY<Point>);
    }
    return run;
}

template ClosestPairRun<Point2> sortRun(Point2*, int, bool);
template ClosestPairRun<Point3> sortRun(Point3*, int, bool);
