// The cost table: each set built, sorted and searched twice, once timed and once counted.
#include "explain/cost.hpp"

#include "explain/steps.hpp"
#include "run/format.hpp"

#include <chrono>
#include <stdexcept>

namespace {

// Hears the search only to count it, as StepRecorder does.
template <class Point>
struct CountingObserver : SearchObserver<Point> {
    static constexpr bool active = true;
    SearchCount searchCount;

    void split(Point* const*, int, int, double) { searchCount.split(); }
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

template <class Point>
CostRow costRow(TeachingKind kind, int count, std::uint32_t seed)
{
    CostRow row;
    row.count = count;
    row.pairs = pairCount(count);
    Point* records = teachingRecords<Point>(kind, count, seed);
    const Clock::time_point sortStart = Clock::now();
    ClosestPairRun<Point> run = sortRun(records, count, true);
    row.sortMilliseconds = millisecondsSince(sortStart);

    Point *first, *second;
    try {
        const Clock::time_point divideStart = Clock::now();
        findClosestDivide(run.byX, count, run.byY, count, &first, &second);
        row.divideMilliseconds = millisecondsSince(divideStart);
        CountingObserver<Point> counter;
        findClosestDivide(run.byX, count, run.byY, count, &first, &second, &counter);
        const SearchCount& c = counter.searchCount;
        row.distances = c.distances();
        row.leafDistances = c.leafDistances;
        row.stripDistances = c.stripDistances;
        row.mostComparisons = c.mostComparisons;
        row.depth = c.depth;
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

std::string costHeader() { return "n distances leaf strip pairs ratio most depth sort_ms divide_ms"; }

std::string costLine(const CostRow& row)
{
    return printfText("%d %lld %lld %lld %lld %.6g %d %d %.3f %.3f", row.count, row.distances, row.leafDistances,
                      row.stripDistances, row.pairs, row.ratio, row.mostComparisons, row.depth,
                      row.sortMilliseconds, row.divideMilliseconds);
}
