// The two orderings of a run's records.
#include "run/run.hpp"
#include "search/point.hpp"

#include <algorithm>
#include <cstring>
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
    for (int i = 0; i < count; ++i)
        run.byX[i] = &records[i];
    std::memcpy(run.byY, run.byX, sizeof(Point*) * static_cast<std::size_t>(count));
    if (stable || !qsortIsGlibcs) {
#ifdef CLOSEST_THREADS
        std::thread byY([&run, count] { stableSortBy(run.byY, run.byY + count, 1); });
        stableSortBy(run.byX, run.byX + count, 0);
        byY.join();
#else
        stableSortBy(run.byY, run.byY + count, 1);
        stableSortBy(run.byX, run.byX + count, 0);
#endif
    } else {
        std::qsort(run.byX, count, sizeof(Point*), compareByX<Point>);
        std::qsort(run.byY, count, sizeof(Point*), compareByY<Point>);
    }
    return run;
}

template ClosestPairRun<Point2> sortRun(Point2*, int, bool);
template ClosestPairRun<Point3> sortRun(Point3*, int, bool);
