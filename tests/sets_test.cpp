// The sets that teach: each kind's defining property in 2D and 3D, small and large, and the same
// records for the same seed on every build.
#include "sets/teaching_sets.hpp"

#include "search/divide.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

using Key = std::array<double, 3>;

// The records drawn from seed 7, in their order.
template <class Point>
std::vector<Key> keysOf(TeachingKind kind, int count)
{
    Point* records = teachingRecords<Point>(kind, count, 7);
    std::vector<Key> keys(count, Key{});
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < dimensionOf<Point>; ++k)
            keys[i][k] = coordinate(records[i], k);
    std::free(records);
    return keys;
}

long long duplicates(std::vector<Key> keys)
{
    std::sort(keys.begin(), keys.end());
    return std::distance(std::unique(keys.begin(), keys.end()), keys.end());
}

template <class Point>
void expectKindHolds(TeachingKind kind, int count)
{
    const std::vector<Key> keys = keysOf<Point>(kind, count);
    const double side = static_cast<double>(teachingSide(kind, count, dimensionOf<Point>));
    const double scale = kind == TeachingKind::lattice ? 1 : 10; // whole numbers, or one decimal
    for (int k = 0; k < dimensionOf<Point>; ++k) {
        SCOPED_TRACE(testing::Message() << count << " records, axis " << k);
        std::vector<double> values(count), gaps(count + 3);
        std::transform(keys.begin(), keys.end(), values.begin(), [k](const Key& key) { return key[k]; });
        EXPECT_TRUE(std::all_of(values.begin(), values.end(),
                                [scale](double v) { return std::nearbyint(v * scale) / scale == v; }));
        std::sort(values.begin(), values.end());
        std::adjacent_difference(values.begin(), values.end(), gaps.begin());
        std::sort(gaps.begin() + 1, gaps.end(), std::greater<>()); // the widest gaps from gaps[1]
        const double least = values.front(), most = values.back();
        EXPECT_TRUE(least >= 0 && most <= side);
        EXPECT_TRUE(kind != TeachingKind::uniform || count < 1000 || (least < side / 100 && most > side * 0.99));
        EXPECT_TRUE(kind != TeachingKind::line || k > 0 || least == most);
        // Each gap between the clusters is wider than twice their mean width, and each cluster
        // holds a pair: one cluster of 2 or 3 records, two below 8, then teachingClusterCount.
        const int clusters = count < 4 ? 1 : count < 8 ? 2 : teachingClusterCount;
        if (kind == TeachingKind::clusters && clusters > 1) {
            const double gap = gaps[clusters - 1];
            EXPECT_GT(gap, 2 * (most - least - std::accumulate(&gaps[1], &gaps[clusters], 0.0)) / clusters);
            int held = 1, leastHeld = count;
            for (int i = 1; i < count; ++i, ++held)
                if (values[i] - values[i - 1] >= gap)
                    leastHeld = std::min(leastHeld, std::exchange(held, 0));
            EXPECT_GE(std::min(leastHeld, held), 2) << "a cluster of one record";
        }
    }
    if (kind == TeachingKind::clusters && count < 4) { // one cluster: a uniform set of its count
        EXPECT_EQ(teachingSide(kind, count, dimensionOf<Point>),
                  teachingSide(TeachingKind::uniform, count, dimensionOf<Point>));
    }
    std::vector<Key> cells = keys; // line: one record to a unit cell
    for (Key& cell : cells)
        std::transform(cell.begin(), cell.end(), cell.begin(), [](double v) { return std::floor(v); });
    EXPECT_TRUE(kind != TeachingKind::line || duplicates(cells) == 0);
    const long long repeated = duplicates(keys);
    if (kind == TeachingKind::twins) // uniform's repeats, and one more
        EXPECT_EQ(repeated, duplicates(keysOf<Point>(TeachingKind::uniform, count)) + 1);
    else // a few in uniform and clusters, none in line and lattice
        EXPECT_LE(repeated * 5000, kind == TeachingKind::line || kind == TeachingKind::lattice ? 0 : count);
    if (kind == TeachingKind::lattice) {
        ClosestPairRun<Point> run = teachingRun<Point>(kind, count, 7);
        Point *first, *second;
        EXPECT_EQ(findClosestDivide(run.byX, count, run.byY, count, &first, &second), 1.0);
        releaseRun(run);
    }
}

// The first of 16 records from seed 7, for each kind in TeachingKind's order, in 2D and 3D.
const Key firstRecords[][2] = {{{8.7, 20.4}, {8.7, 5.4, 9.6}}, {{8, 8.5}, {2, 1.3, 1.6}}, {{2, 3}, {2, 1, 1}},
                               {{0.3, 87.4}, {9.8, 48.2, 8.5}}, {{8.7, 20.4}, {8.7, 5.4, 9.6}}};

TEST(TeachingSets, EachKindHoldsItsPropertyInBothDimensionsAndDrawsTheSameRecordsEverywhere)
{
    for (const TeachingSet& set : teachingSets) {
        SCOPED_TRACE(set.name);
        const Key* first = firstRecords[static_cast<int>(set.kind)];
        EXPECT_EQ(keysOf<Point2>(set.kind, 16)[0], first[0]);
        EXPECT_EQ(keysOf<Point3>(set.kind, 16)[0], first[1]);
        for (int count : {2, 3, 4, 5, 6, 7, 8, 9, 11, 13, 16, 250'000}) {
            expectKindHolds<Point2>(set.kind, count);
            expectKindHolds<Point3>(set.kind, count);
        }
    }
}

} // namespace
