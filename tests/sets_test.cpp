// The sets that teach: each kind's defining property in 2D and 3D, small and large, and the same
// records for the same seed on every build.
#include "sets/teaching_sets.hpp"

#include "search/divide.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

using Key = std::array<double, 3>;

template <class Point>
std::vector<Key> keysOf(TeachingKind kind, int count, std::uint32_t seed)
{
    Point* records = teachingRecords<Point>(kind, count, seed);
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

// Along one axis the records fall into k groups, each of count / k records (or one more), with
// every gap between groups more than twice as wide as the widest group.
void expectSeparateGroups(const std::vector<Key>& keys, int axis, int k)
{
    std::vector<double> values;
    for (const Key& key : keys)
        values.push_back(key[axis]);
    std::sort(values.begin(), values.end());
    std::vector<std::size_t> cuts(values.size() - 1); // a group ends before each of the k - 1 widest gaps
    for (std::size_t i = 0; i < cuts.size(); ++i)
        cuts[i] = i + 1;
    const auto gap = [&values](std::size_t i) { return values[i] - values[i - 1]; };
    std::partial_sort(cuts.begin(), cuts.begin() + k - 1, cuts.end(),
                      [&gap](std::size_t a, std::size_t b) { return gap(a) > gap(b); });
    cuts.resize(k - 1);
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(values.size());
    double widest = 0, narrowestGap = INFINITY;
    for (std::size_t g = 0, begin = 0; g < cuts.size(); begin = cuts[g++]) {
        const std::size_t size = cuts[g] - begin;
        EXPECT_TRUE(size == values.size() / k || size == (values.size() + k - 1) / k) << size;
        widest = std::max(widest, values[cuts[g] - 1] - values[begin]);
        if (begin > 0)
            narrowestGap = std::min(narrowestGap, gap(begin));
    }
    EXPECT_GT(narrowestGap, 2 * widest) << "axis " << axis;
}

template <class Point>
void expectKindHolds(TeachingKind kind, int count, std::uint32_t seed)
{
    constexpr int d = dimensionOf<Point>;
    const std::vector<Key> keys = keysOf<Point>(kind, count, seed);
    const double side = static_cast<double>(teachingSide(kind, count, d));
    Key least{INFINITY, INFINITY, INFINITY}, most{-INFINITY, -INFINITY, -INFINITY};
    for (const Key& key : keys)
        for (int k = 0; k < d; ++k) {
            const double tenths = kind == TeachingKind::lattice ? 1 : 10;
            ASSERT_EQ(std::nearbyint(key[k] * tenths) / tenths, key[k]) << "too many decimals";
            least[k] = std::min(least[k], key[k]);
            most[k] = std::max(most[k], key[k]);
        }
    for (int k = 0; k < d; ++k) {
        EXPECT_GE(least[k], 0);
        EXPECT_LE(most[k], side);
    }
    const long long repeated = duplicates(keys);
    switch (kind) {
    case TeachingKind::uniform:
        EXPECT_LE(repeated * 5000, count);
        for (int k = 0; count >= 1000 && k < d; ++k) // spread over the whole square
            EXPECT_TRUE(least[k] < side / 100 && most[k] > side * 0.99) << "axis " << k;
        break;
    case TeachingKind::line:
        EXPECT_EQ(repeated, 0);
        EXPECT_EQ(least[0], most[0]);
        break;
    case TeachingKind::lattice: {
        EXPECT_EQ(repeated, 0);
        ClosestPairRun<Point> run = teachingRun<Point>(kind, count, seed);
        Point *first, *second;
        EXPECT_EQ(findClosestDivide(run.byX, count, run.byY, count, &first, &second), 1.0);
        releaseRun(run);
        break;
    }
    case TeachingKind::clusters:
        for (int k = 0; count >= 8 && k < d; ++k)
            expectSeparateGroups(keys, k, teachingClusterCount);
        break;
    case TeachingKind::twins: { // uniform's records, but for one made a copy of another
        const std::vector<Key> uniform = keysOf<Point>(TeachingKind::uniform, count, seed);
        std::vector<int> changed;
        for (int i = 0; i < count; ++i)
            if (keys[i] != uniform[i])
                changed.push_back(i);
        ASSERT_EQ(changed.size(), 1u);
        EXPECT_GE(std::count(keys.begin(), keys.end(), keys[changed[0]]), 2);
        break;
    }
    }
}

struct KindCase {
    TeachingKind kind;
    int dimension;
    Key first; // the first record drawn from seed 7 for 16 records, on every build
};

const KindCase kindCases[] = {
    {TeachingKind::uniform, 2, {8.7, 20.4, 0}},  {TeachingKind::uniform, 3, {8.7, 5.4, 9.6}},
    {TeachingKind::line, 2, {8, 8.5, 0}},        {TeachingKind::line, 3, {2, 1.3, 1.6}},
    {TeachingKind::lattice, 2, {2, 3, 0}},       {TeachingKind::lattice, 3, {2, 1, 1}},
    {TeachingKind::clusters, 2, {0.3, 87.4, 0}}, {TeachingKind::clusters, 3, {9.8, 48.2, 8.5}},
    {TeachingKind::twins, 2, {8.7, 20.4, 0}},    {TeachingKind::twins, 3, {8.7, 5.4, 9.6}},
};

TEST(TeachingSets, EachKindHoldsItsPropertyInBothDimensions)
{
    for (const KindCase& c : kindCases) {
        const char* name = teachingSets[static_cast<int>(c.kind)].name;
        SCOPED_TRACE(testing::Message() << name << " " << c.dimension << "D");
        const auto first = c.dimension == 2 ? keysOf<Point2>(c.kind, 16, 7)[0] : keysOf<Point3>(c.kind, 16, 7)[0];
        EXPECT_EQ(first, c.first);
        for (int count : {2, 16, 250'000})
            (c.dimension == 2 ? expectKindHolds<Point2> : expectKindHolds<Point3>)(c.kind, count, 7);
    }
}

} // namespace
