// The two orderings of a run's records.
#include "run/run.hpp"
#include "search/point.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
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
// sorts' memory at 2 * 12 bytes a record, both orderings at once.
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

bool keyedBefore(const Keyed& a, const Keyed& b) { return a.key < b.key || (a.key == b.key && a.index < b.index); }

// The stable sort's order by one coordinate, with no comparison through the pointers: the records
// dealt into as many buckets as there are records, by where the coordinate lies between the least
// and the greatest, then each bucket sorted by key and index. Subtracting the least and dividing
// by the span both round, and rounding keeps the order of what it rounds, so no value in a bucket
// exceeds one in a later bucket, equal values share one, and none is past the last. False, with
// nothing written, when a coordinate is NaN (it has no place in that order), the span is not
// finite, or there is no memory for the buckets.
template <class Point>
bool keySortBy(Point* records, int count, int axis, Point** order, Keyed* keyed)
{
    double least = coordinate(records[0], axis), greatest = least;
    for (int i = 0; i < count; ++i) {
        const double value = coordinate(records[i], axis);
        if (value != value)
            return false;
        least = std::min(least, value);
        greatest = std::max(greatest, value);
    }
    const double span = greatest - least;
    if (!std::isfinite(span))
        return false;
    if (span == 0) { // all equal: the records' own order
        for (int i = 0; i < count; ++i)
            order[i] = &records[i];
        return true;
    }
    // Computed twice, when counting and when dealing, rather than kept in 4 more bytes a record.
    const auto bucketOf = [&](int i) {
        return static_cast<std::uint32_t>((coordinate(records[i], axis) - least) / span * (count - 1));
    };
    const std::unique_ptr<std::uint32_t[], decltype(&std::free)> starts(
        static_cast<std::uint32_t*>(std::calloc(static_cast<std::size_t>(count) + 1, sizeof(std::uint32_t))),
        std::free);
    if (starts == nullptr)
        return false;
    for (int i = 0; i < count; ++i)
        ++starts[bucketOf(i) + 1];
    for (int b = 0; b < count; ++b)
        starts[b + 1] += starts[b];
    for (int i = 0; i < count; ++i)
        keyed[starts[bucketOf(i)]++] = {orderedBits(coordinate(records[i], axis)), static_cast<std::uint32_t>(i)};
    // Each bucket now ends where the next begins.
    for (std::uint32_t begin = 0, b = 0; b < static_cast<std::uint32_t>(count); begin = starts[b++])
        if (starts[b] - begin > 1)
            std::sort(keyed + begin, keyed + starts[b], keyedBefore);
    for (int i = 0; i < count; ++i)
        order[i] = &records[keyed[i].index];
    return true;
}

// The records' order by one coordinate, as glibc's qsort leaves it: by key when given room for
// the keys (count) and the key sort can order them, else by the stable sort.
template <class Point>
void orderBy(Point* records, int count, int axis, Point** order, Keyed* room)
{
    if (room != nullptr && keySortBy(records, count, axis, order, room))
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
    return static_cast<Keyed*>(std::malloc(sizeof(Keyed) * 2 * static_cast<std::size_t>(count)));
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
        Keyed* const yRoom = room == nullptr ? nullptr : room + count;
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
