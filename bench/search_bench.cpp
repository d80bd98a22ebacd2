// Speed of the searches against N, in 2D and 3D, on uniform doubles and on the programs' integer
// grids: divide and conquer without and with sorting, the plain and the vectorised brute force,
// and a kd-tree (nanoflann) asked for each point's nearest neighbour, as a user might do instead.
#include "search/brute_force_simd.hpp"
#include "search/divide.hpp"
#include "bench/sorted_points.hpp"

#include <benchmark/benchmark.h>
#include <nanoflann.hpp>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

enum Data { uniform, grid };

// The programs' grids: rand() % 1000 in 2D, rand() % 15 in 3D.
template <class Point>
std::vector<Point> makePoints(int count, Data data)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> unit(0, 1000);
    std::uniform_int_distribution<int> cell(0, dimensionOf<Point> == 2 ? 999 : 14);
    std::vector<Point> points(count);
    for (Point& p : points) {
        for (int k = 0; k < dimensionOf<Point>; ++k)
            coordinate(p, k) = data == uniform ? unit(rng) : cell(rng);
    }
    return points;
}

template <class Point>
void divideSorted(benchmark::State& state, Data data)
{
    SortedPoints<Point> set(makePoints<Point>(static_cast<int>(state.range(0)), data));
    const int n = static_cast<int>(set.records.size());
    for (auto _ : state) {
        Point *first = nullptr, *second = nullptr;
        benchmark::DoNotOptimize(findClosestDivide(set.byX.data(), n, set.byY.data(), n, &first, &second));
    }
    state.SetComplexityN(n);
}

// Sorting as the programs do (qsort with the comparators), or with std::sort, then the search.
template <class Point, bool useQsort>
void divideWithSort(benchmark::State& state, Data data)
{
    std::vector<Point> records = makePoints<Point>(static_cast<int>(state.range(0)), data);
    const int n = static_cast<int>(records.size());
    std::vector<Point*> unsorted;
    for (Point& p : records)
        unsorted.push_back(&p);
    std::vector<Point*> byX(n), byY(n);
    for (auto _ : state) {
        byX = unsorted;
        byY = unsorted;
        if constexpr (useQsort) {
            std::qsort(byX.data(), n, sizeof(Point*), compareByX<Point>);
            std::qsort(byY.data(), n, sizeof(Point*), compareByY<Point>);
        } else {
            std::sort(byX.begin(), byX.end(), [](Point* a, Point* b) { return a->x < b->x; });
            std::sort(byY.begin(), byY.end(), [](Point* a, Point* b) { return a->y < b->y; });
        }
        Point *first = nullptr, *second = nullptr;
        benchmark::DoNotOptimize(findClosestDivide(byX.data(), n, byY.data(), n, &first, &second));
    }
}

template <class Point>
void brute(benchmark::State& state, Data data, SimdLevel level)
{
    if (!simdLevelSupported(level)) {
        state.SkipWithError("this processor lacks the instruction set");
        return;
    }
    SortedPoints<Point> set(makePoints<Point>(static_cast<int>(state.range(0)), data));
    const int n = static_cast<int>(set.records.size());
    for (auto _ : state) {
        Point *first = nullptr, *second = nullptr;
        benchmark::DoNotOptimize(findClosestBruteWith(level, set.byX.data(), n, &first, &second));
    }
    state.counters["pairs_per_second"] =
        benchmark::Counter(double(n) * (n - 1) / 2, benchmark::Counter::kIsIterationInvariantRate);
}

// nanoflann reads the records through this adaptor.
template <class Point>
struct Cloud {
    const std::vector<Point>& points;
    size_t kdtree_get_point_count() const { return points.size(); }
    double kdtree_get_pt(size_t i, size_t k) const { return coordinate(points[i], static_cast<int>(k)); }
    template <class Box>
    bool kdtree_get_bbox(Box&) const { return false; }
};

// Builds the tree and asks every point for its two nearest neighbours (itself and the closest
// other), visiting the points in the tree's own order for locality.
template <class Point>
void kdTree(benchmark::State& state, Data data)
{
    const std::vector<Point> points = makePoints<Point>(static_cast<int>(state.range(0)), data);
    using Tree = nanoflann::KDTreeSingleIndexAdaptor<nanoflann::L2_Simple_Adaptor<double, Cloud<Point>>,
                                                     Cloud<Point>, dimensionOf<Point>>;
    const Cloud<Point> cloud{points};
    for (auto _ : state) {
        Tree tree(dimensionOf<Point>, cloud, nanoflann::KDTreeSingleIndexAdaptorParams(10));
        tree.buildIndex();
        double best = DBL_MAX;
        for (uint32_t i : tree.vAcc) {
            uint32_t found[2];
            double squared[2];
            if (tree.knnSearch(&points[i].x, 2, found, squared) == 2)
                best = std::min(best, squared[1]);
        }
        benchmark::DoNotOptimize(best);
    }
}

void sizes(benchmark::internal::Benchmark* b, long most)
{
    for (long n = 1000; n <= most; n *= 10)
        b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

template <class Point>
void registerAll(const std::string& dimension)
{
    for (Data data : {uniform, grid}) {
        const std::string set = dimension + (data == uniform ? "_uniform" : "_grid");
        sizes(benchmark::RegisterBenchmark(("divide/" + set).c_str(), divideSorted<Point>, data), 10'000'000);
        sizes(benchmark::RegisterBenchmark(("divide_qsort/" + set).c_str(), divideWithSort<Point, true>, data),
              10'000'000);
        sizes(benchmark::RegisterBenchmark(("divide_stdsort/" + set).c_str(), divideWithSort<Point, false>, data),
              10'000'000);
        // On the grids the tree degenerates past a million points (3D: 10^7 points share 3,375
        // positions and take minutes).
        sizes(benchmark::RegisterBenchmark(("kdtree/" + set).c_str(), kdTree<Point>, data),
              data == grid ? 1'000'000 : 10'000'000);
        for (SimdLevel level : {SimdLevel::plain, SimdLevel::avx2, SimdLevel::avx512})
            sizes(benchmark::RegisterBenchmark(("brute_" + std::string(simdLevelName(level)) + "/" + set).c_str(),
                                               brute<Point>, data, level),
                  100'000);
    }
}

} // namespace

int main(int argc, char** argv)
{
    registerAll<Point2>("2d");
    registerAll<Point3>("3d");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
