// Building a program's records: from its table, or from the random numbers of its seed.
#include "run/random.hpp"
#include "run/run.hpp"
#include "search/point.hpp"

#include <ctime>

template <class Point>
ClosestPairRun<Point> prepareRun(const PointSource<Point>& source)
{
    Point* records = allocateArray<Point>(source.count);
    if (source.table == nullptr)
        seedRandom(static_cast<unsigned>(source.seed >= 0 ? source.seed : std::time(nullptr)));
    for (int i = 0; i < source.count; ++i) {
        if (source.table != nullptr) {
            records[i] = source.table[i];
            continue;
        }
        for (int k = 0; k < dimensionOf<Point>; ++k)
            coordinate(records[i], k) = static_cast<double>(nextRandom() % source.modulus);
    }
    return sortRun(records, source.count);
}

template ClosestPairRun<Point2> prepareRun(const PointSource<Point2>&);
template ClosestPairRun<Point3> prepareRun(const PointSource<Point3>&);
