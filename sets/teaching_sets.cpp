// The sets that teach, drawn from SplitMix64: integer steps only, and every coordinate made as
// tenths / 10.0 from an exact integer, so that GCC and emscripten's clang build the same doubles.
#include "sets/teaching_sets.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

struct Generator {
    std::uint64_t state;

    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    // 0 to bound - 1 (the remainder's bias is below bound / 2^64).
    long long below(long long bound) { return static_cast<long long>(next() % static_cast<std::uint64_t>(bound)); }
};

// The number of that many tenths: exact, and the double nearest to its one-decimal text.
double fromTenths(long long tenths) { return static_cast<double>(tenths) / 10.0; }

// The smallest r with r^dimension >= count.
long long rootUp(long long count, int dimension)
{
    if (dimension == 1)
        return count;
    long long r = 1;
    while ((dimension == 2 ? r * r : r * r * r) < count)
        ++r;
    return r;
}

long long uniformSide(long long count, int dimension)
{
    return dimension == 2 ? 10 * rootUp(count, 2) : 5 * rootUp(count, 3);
}

int clusterCount(long long count) { return count < 4 ? 1 : count < 8 ? 2 : teachingClusterCount; }

long long clusterSide(long long count, int dimension)
{
    const int k = clusterCount(count);
    return uniformSide((count + k - 1) / k, dimension);
}

template <class Point>
void shuffle(Point* records, int count, Generator& g)
{
    for (int i = count - 1; i > 0; --i)
        std::swap(records[i], records[g.below(i + 1)]);
}

template <class Point>
void drawUniform(Point* records, int count, Generator& g)
{
    constexpr int d = dimensionOf<Point>;
    const long long side = uniformSide(count, d);
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < d; ++k)
            coordinate(records[i], k) = fromTenths(g.below(10 * side));
}

// x the same for all; the other axes a jittered grid, one record per unit cell; shuffled so that
// the halves of a split (ties in x keep this order) interleave in y.
template <class Point>
void drawLine(Point* records, int count, Generator& g)
{
    constexpr int d = dimensionOf<Point>;
    const long long cells = rootUp(count, d - 1);
    const double x = static_cast<double>(teachingSide(TeachingKind::line, count, d) / 2);
    for (int i = 0; i < count; ++i) {
        records[i].x = x;
        long long cell = i;
        for (int k = 1; k < d; ++k, cell /= cells)
            coordinate(records[i], k) = fromTenths(10 * (cell % cells) + g.below(10));
    }
    shuffle(records, count, g);
}

template <class Point>
void drawLattice(Point* records, int count, Generator& g)
{
    constexpr int d = dimensionOf<Point>;
    const long long nodes = rootUp(count, d);
    for (int i = 0; i < count; ++i) {
        long long node = i;
        for (int k = 0; k < d; ++k, node /= nodes)
            coordinate(records[i], k) = static_cast<double>(node % nodes);
    }
    shuffle(records, count, g);
}

// Cluster j lies in column j along x and in a column drawn at random along each other axis, so
// no two clusters share a column: the gaps between them exceed three of their sides on every
// axis, more than any distance inside one.
template <class Point>
void drawClusters(Point* records, int count, Generator& g)
{
    constexpr int d = dimensionOf<Point>;
    const int k = clusterCount(count);
    const long long side = clusterSide(count, d);
    int column[3][teachingClusterCount];
    for (int axis = 0; axis < d; ++axis) {
        for (int j = 0; j < k; ++j)
            column[axis][j] = j;
        for (int j = k - 1; axis > 0 && j > 0; --j)
            std::swap(column[axis][j], column[axis][g.below(j + 1)]);
    }
    for (int i = 0; i < count; ++i)
        for (int axis = 0; axis < d; ++axis)
            coordinate(records[i], axis) = fromTenths(10 * 4 * side * column[axis][i % k] + g.below(10 * side));
}

} // namespace

const TeachingSet* findTeachingSet(std::string_view name)
{
    for (const TeachingSet& set : teachingSets)
        if (name == set.name)
            return &set;
    return nullptr;
}

long long teachingSide(TeachingKind kind, long long count, int dimension)
{
    switch (kind) {
    case TeachingKind::line:
        return rootUp(count, dimension - 1);
    case TeachingKind::lattice:
        return rootUp(count, dimension) - 1;
    case TeachingKind::clusters:
        return (4 * (clusterCount(count) - 1) + 1) * clusterSide(count, dimension);
    default:
        return uniformSide(count, dimension);
    }
}

template <class Point>
Point* teachingRecords(TeachingKind kind, int count, std::uint32_t seed)
{
    if (count < teachingLeastCount || count > teachingMostCount)
        throw std::invalid_argument("a set that teaches has 2 to 10000000 records");
    Point* records = allocateArray<Point>(count);
    Generator g{seed};
    switch (kind) {
    case TeachingKind::line:
        drawLine(records, count, g);
        break;
    case TeachingKind::lattice:
        drawLattice(records, count, g);
        break;
    case TeachingKind::clusters:
        drawClusters(records, count, g);
        break;
    case TeachingKind::uniform:
    case TeachingKind::twins:
        drawUniform(records, count, g);
        if (kind == TeachingKind::twins) { // a record drawn as uniform's, and another made its copy
            const long long from = g.below(count);
            const long long to = (from + 1 + g.below(count - 1)) % count;
            records[to] = records[from];
        }
        break;
    }
    return records;
}

template <class Point>
ClosestPairRun<Point> teachingRun(TeachingKind kind, int count, std::uint32_t seed)
{
    return sortRun(teachingRecords<Point>(kind, count, seed), count, true);
}

template Point2* teachingRecords(TeachingKind, int, std::uint32_t);
template Point3* teachingRecords(TeachingKind, int, std::uint32_t);
template ClosestPairRun<Point2> teachingRun(TeachingKind, int, std::uint32_t);
template ClosestPairRun<Point3> teachingRun(TeachingKind, int, std::uint32_t);
