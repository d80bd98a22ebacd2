// A run: the records and their two orderings, built from a point source or taken over, and the
// closest pair as the last search left it.
#pragma once

#include "run/point_source.hpp"

#include <cstdlib>

// The records and arrays are malloc'd; the programs never release theirs (they live as long as
// the process), other users hand them back with releaseRun.
template <class Point>
struct ClosestPairRun {
    Point* records = nullptr;
    Point** byX = nullptr;
    Point** byY = nullptr;
    int count = 0;
    Point* first = nullptr;  // the pair, as the last search left it
    Point* second = nullptr;
};

// Builds the records and both orderings as the programs do. Throws std::bad_alloc when memory
// runs out.
template <class Point>
ClosestPairRun<Point> prepareRun(const PointSource<Point>& source);

// A run over count records already in a malloc'd block, which the run takes over: builds and
// sorts both orderings, with glibc's qsort as the programs do, or, when stable or where the C
// library is another, by the coordinates' keys (a radix sort, or a stable sort for small sets and
// NaN; each ordering on its own thread where there are threads), which gives the order of glibc's
// merge-sorting qsort in less time. Throws std::bad_alloc when memory runs out.
template <class Point>
ClosestPairRun<Point> sortRun(Point* records, int count, bool stable = false);

// Hands back the records and arrays of a run.
template <class Point>
void releaseRun(ClosestPairRun<Point>& run)
{
    std::free(run.records);
    std::free(run.byX);
    std::free(run.byY);
    run = ClosestPairRun<Point>{};
}
