// The cost table: each set built, sorted and searched twice, once timed and once counted.
#include "explain/cost.hpp"

#include "explain/steps.hpp"
#include "run/format.hpp"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>
#include <stdexcept>

namespace {

// Hears the search only to count it, as StepRecorder does.
template <class Point>
struct CountingObserver : SearchObserver<Point> {
    static constexpr bool active = true;
    SearchCount searchCount;

    void split(Point* const*, int count, int, double) { searchCount.split(count); }
    void leaf(Point* const*, int count, double, Point*, Point*) { searchCount.leaf(count); }
    void strip(double, double, int, int) { searchCount.strip(); }
    void compare(Point* l, Point*, double, double) { searchCount.compare(l); }
    void answer(Point* const*, int, double, Point*, Point*) { searchCount.answer(); }
};

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The mean time of a job, over as many runs as take costTimedMilliseconds together (at least one),
// so that times far below a millisecond come out steady; prepare readies each run outside the clock.
template <class Prepare, class Job>
double meanMilliseconds(Prepare prepare, Job job)
{
    double total = 0;
    int runs = 0;
    do {
        prepare();
        const Clock::time_point start = Clock::now();
        job();
        total += millisecondsSince(start);
        ++runs;
    } while (total < costTimedMilliseconds);
    return total / runs;
}

template <class Point>
CostRow costRow(TeachingKind kind, int count, std::uint32_t seed)
{
    CostRow row;
    row.count = count;
    row.pairs = pairCount(count);
    int levels = 0; // the least whole number with 2^levels >= count
    while ((1LL << levels) < count)
        ++levels;
    row.nLogN = static_cast<long long>(count) * levels;
    Point* records = teachingRecords<Point>(kind, count, seed);
    Point* copy = nullptr;
    try {
        row.sortMilliseconds = meanMilliseconds(
            [&] {
                std::free(copy);
                copy = allocateArray<Point>(count);
                std::copy(records, records + count, copy);
            },
            [&] {
                ClosestPairRun<Point> sorted = sortRun(std::exchange(copy, nullptr), count, true);
                releaseRun(sorted);
            });
    } catch (...) {
        std::free(copy);
        std::free(records);
        throw;
    }
    ClosestPairRun<Point> run = sortRun(records, count, true);

    Point *first, *second;
    try {
        row.divideMilliseconds = meanMilliseconds([] {}, [&] { findClosestDivide(run.byX, count, run.byY, count, &first, &second); });
        CountingObserver<Point> counter;
        findClosestDivide(run.byX, count, run.byY, count, &first, &second, &counter);
        const SearchCount& c = counter.searchCount;
        row.distances = c.distances();
        row.leafDistances = c.leafDistances;
        row.stripDistances = c.stripDistances;
        row.mostComparisons = c.mostComparisons;
        row.depth = c.depth;
        row.moved = c.moved;
    } catch (...) {
        releaseRun(run);
        throw;
    }
    releaseRun(run);
    row.ratio = static_cast<double>(row.distances) / static_cast<double>(row.pairs);
    return row;
}

} // namespace

void costRows(TeachingKind kind, int dimension, long long most, std::uint32_t seed,
              const std::function<void(const CostRow&)>& row)
{
    if (most < teachingLeastCount || most > teachingMostCount || (dimension != 2 && dimension != 3))
        throw std::invalid_argument("the cost counts sets of " + std::to_string(teachingLeastCount) + " to " +
                                    std::to_string(teachingMostCount) + " records in 2 or 3 dimensions");
    const auto measure = [&](long long count) {
        const int n = static_cast<int>(count);
        row(dimension == 2 ? costRow<Point2>(kind, n, seed) : costRow<Point3>(kind, n, seed));
    };
    long long last = 0;
    for (long long count = costLeastCount; count <= most; count *= 2)
        measure(last = count);
    if (last != most)
        measure(most);
}

std::string costHeader() { return "n distances leaf strip pairs ratio most depth sort_ms divide_ms moved nlog2n"; }

std::string costLine(const CostRow& row)
{
    return printfText("%d %lld %lld %lld %lld %.6g %d %d %.3f %.3f %lld %lld", row.count, row.distances,
                      row.leafDistances, row.stripDistances, row.pairs, row.ratio, row.mostComparisons, row.depth,
                      row.sortMilliseconds, row.divideMilliseconds, row.moved, row.nLogN);
}
