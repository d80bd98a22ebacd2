// The divide and conquer on 10^6 uniform 2D and 3D records, the best of five runs each, and the
// vectorised brute force against the plain loop on 3,000 records: built natively and for
// WebAssembly, so that one run of each gives their ratio.
//
// Usage: search_speed      (node build-web/bench/search_speed.js for the WebAssembly build)
#include "bench/sorted_points.hpp"
#include "search/brute_force_simd.hpp"
#include "search/divide.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// count records uniform in [0, 1000) on each axis, from the bits of a fixed generator, so that
// both builds make the same set.
template <class Point>
SortedPoints<Point> uniformSet(int count, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    std::vector<Point> points(static_cast<std::size_t>(count));
    for (Point& p : points)
        for (int k = 0; k < dimensionOf<Point>; ++k)
            coordinate(p, k) = static_cast<double>(rng() >> 11) * 0x1p-53 * 1000;
    return SortedPoints<Point>(std::move(points));
}

template <class Point>
void timeDivide(const char* name)
{
    const SortedPoints<Point> set = uniformSet<Point>(1'000'000, 42);
    double best = 1e300, squared = 0;
    for (int run = 0; run < 5; ++run) {
        Point *first = nullptr, *second = nullptr;
        const auto start = std::chrono::steady_clock::now();
        squared = findClosestDivide(set.byX.data(), 1'000'000, set.byY.data(), 1'000'000, &first, &second);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("divide %s 1000000: %.1f ms (best of 5), squared distance %.17g\n", name, best, squared);
}

template <class Point>
bool vectorisedAgrees(const char* name)
{
    const SortedPoints<Point> set = uniformSet<Point>(3000, 7);
    Point *plainFirst = nullptr, *plainSecond = nullptr, *first = nullptr, *second = nullptr;
    const double plain = findClosestBrutePlain(set.byX.data(), 3000, &plainFirst, &plainSecond);
    const double vectorised = findClosestBruteWith(bestSimdLevel(), set.byX.data(), 3000, &first, &second);
    const bool same = plain == vectorised && first == plainFirst && second == plainSecond;
    std::printf("brute %s with %s: %s the plain loop\n", name, simdLevelName(bestSimdLevel()),
                same ? "equal to" : "DIFFERENT from");
    return same;
}

} // namespace

int main()
{
    timeDivide<Point2>("2d");
    timeDivide<Point3>("3d");
    const bool same2d = vectorisedAgrees<Point2>("2d");
    const bool same3d = vectorisedAgrees<Point3>("3d");
    return same2d && same3d ? 0 : 1;
}
