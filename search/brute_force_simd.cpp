// Vectorised brute force. The coordinates are copied into one array per axis, then every row i
// is scanned in vector steps for a squared distance below the running best. Only a row that
// holds one is scanned again with the plain loop, which settles the exact pair. The arithmetic
// is the plain loop's, lane by lane (no contraction), so the result matches it bit for bit and
// the reported pair is the first in (i, j) order that reaches the minimum.
#include "brute_force_simd.hpp"

#include "brute_force.hpp"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// One array per axis, dims * count doubles: x[0..count), y[..), z[..).
struct Columns {
    std::unique_ptr<double[], decltype(&std::free)> data{nullptr, &std::free};
    const double* x = nullptr;
    const double* y = nullptr;
    const double* z = nullptr;
};

template <class Point>
bool copyColumns(Point* const* points, int count, Columns& columns)
{
    constexpr int dims = dimensionOf<Point>;
    auto* data = static_cast<double*>(std::malloc(sizeof(double) * dims * static_cast<std::size_t>(count)));
    if (data == nullptr)
        return false;
    columns.data.reset(data);
    for (int i = 0; i < count; ++i) {
        data[i] = points[i]->x;
        data[count + i] = points[i]->y;
        if constexpr (dims == 3)
            data[2 * count + i] = points[i]->z;
    }
    columns.x = data;
    columns.y = data + count;
    columns.z = data + 2 * static_cast<std::size_t>(count);
    return true;
}

// Unaligned vector load; out through a reference, since a vector result by value would change
// the calling convention between targets.
template <class V>
[[gnu::always_inline]] inline void load(V& v, const double* p)
{
    std::memcpy(&v, p, sizeof v);
}

// Lowers each lane of `low` to the squared distance from (xi, yi, zi) to record j + lane.
// Vectors pass by reference only (no vector arguments or results by value), so these helpers
// inline cleanly into each target's entry point.
template <class V, int dims>
[[gnu::always_inline]] inline void lowerAt(const Columns& c, int j, const V& xi, const V& yi, const V& zi, V& low)
{
    V x, y;
    load(x, c.x + j);
    load(y, c.y + j);
    const V dx = x - xi;
    const V dy = y - yi;
    V d = dx * dx + dy * dy;
    if constexpr (dims == 3) {
        V z;
        load(z, c.z + j);
        const V dz = z - zi;
        d = d + dz * dz;
    }
    low = d < low ? d : low;
}

// Whether some j in (i, count) lies at a squared distance below best from record i.
template <class V, int dims>
[[gnu::always_inline]] inline bool rowHasCloser(const Columns& c, int i, int count, double best)
{
    constexpr int lanes = sizeof(V) / sizeof(double);
    const V xi = V{} + c.x[i];
    const V yi = V{} + c.y[i];
    const V zi = V{} + (dims == 3 ? c.z[i] : 0.0);
    V low0 = V{} + best;
    V low1 = low0; // a second chain, so that consecutive compares overlap
    int j = i + 1;
    for (; j + 2 * lanes <= count; j += 2 * lanes) {
        lowerAt<V, dims>(c, j, xi, yi, zi, low0);
        lowerAt<V, dims>(c, j + lanes, xi, yi, zi, low1);
    }
    for (; j + lanes <= count; j += lanes)
        lowerAt<V, dims>(c, j, xi, yi, zi, low0);
    for (int lane = 0; lane < lanes; ++lane)
        if (low0[lane] < best || low1[lane] < best)
            return true;
    for (; j < count; ++j) {
        const double dx = c.x[j] - c.x[i];
        const double dy = c.y[j] - c.y[i];
        double d = dx * dx + dy * dy;
        if constexpr (dims == 3) {
            const double dz = c.z[j] - c.z[i];
            d = d + dz * dz;
        }
        if (d < best)
            return true;
    }
    return false;
}

template <class V, class Point>
[[gnu::always_inline]] inline double bruteRows(Point* const* points, int count, Point** first, Point** second)
{
    constexpr int dims = dimensionOf<Point>;
    Columns columns;
    if (!copyColumns(points, count, columns))
        return findClosestBrutePlain(points, count, first, second);
    double best = DBL_MAX;
    for (int i = 0; i + 1 < count; ++i) {
        if (!rowHasCloser<V, dims>(columns, i, count, best))
            continue;
        for (int j = i + 1; j < count; ++j) {
            const double d = squaredDistance(*points[i], *points[j]);
            if (d < best) {
                best = d;
                *first = points[i];
                *second = points[j];
            }
        }
    }
    return best;
}

#if defined(__x86_64__) || defined(__i386__)
#define CLOSEST_HAVE_X86_TARGETS 1

typedef double Double4 __attribute__((vector_size(32)));
typedef double Double8 __attribute__((vector_size(64)));

template <class Point>
__attribute__((target("avx2"))) double bruteAvx2(Point* const* points, int count, Point** first, Point** second)
{
    return bruteRows<Double4>(points, count, first, second);
}

template <class Point>
__attribute__((target("avx512f"))) double bruteAvx512(Point* const* points, int count, Point** first,
                                                       Point** second)
{
    return bruteRows<Double8>(points, count, first, second);
}
#endif

#ifdef __wasm_simd128__
typedef double Double2 __attribute__((vector_size(16)));
#endif

template <class Point>
double bruteWith(SimdLevel level, Point* const* points, int count, Point** first, Point** second)
{
    if (count < 2 || !simdLevelSupported(level))
        return findClosestBrutePlain(points, count, first, second);
    switch (level) {
#ifdef CLOSEST_HAVE_X86_TARGETS
    case SimdLevel::avx512:
        return bruteAvx512(points, count, first, second);
    case SimdLevel::avx2:
        return bruteAvx2(points, count, first, second);
#endif
#ifdef __wasm_simd128__
    case SimdLevel::simd128:
        return bruteRows<Double2>(points, count, first, second);
#endif
    default:
        return findClosestBrutePlain(points, count, first, second);
    }
}

} // namespace

bool simdLevelSupported(SimdLevel level)
{
    switch (level) {
    case SimdLevel::plain:
        return true;
#ifdef CLOSEST_HAVE_X86_TARGETS
    case SimdLevel::avx2:
        return __builtin_cpu_supports("avx2");
    case SimdLevel::avx512:
        return __builtin_cpu_supports("avx512f");
#endif
#ifdef __wasm_simd128__
    case SimdLevel::simd128:
        return true;
#endif
    default:
        return false;
    }
}

SimdLevel bestSimdLevel()
{
    static const SimdLevel best = simdLevelSupported(SimdLevel::avx512)    ? SimdLevel::avx512
                                  : simdLevelSupported(SimdLevel::avx2)    ? SimdLevel::avx2
                                  : simdLevelSupported(SimdLevel::simd128) ? SimdLevel::simd128
                                                                           : SimdLevel::plain;
    return best;
}

const char* simdLevelName(SimdLevel level)
{
    switch (level) {
    case SimdLevel::avx2:
        return "avx2";
    case SimdLevel::avx512:
        return "avx512";
    case SimdLevel::simd128:
        return "simd128";
    default:
        return "plain";
    }
}

double findClosestBruteWith(SimdLevel level, Point2* const* points, int count, Point2** first, Point2** second)
{
    return bruteWith(level, points, count, first, second);
}

double findClosestBruteWith(SimdLevel level, Point3* const* points, int count, Point3** first, Point3** second)
{
    return bruteWith(level, points, count, first, second);
}

double findClosestBruteVectorised(Point2* const* points, int count, Point2** first, Point2** second)
{
    return bruteWith(bestSimdLevel(), points, count, first, second);
}

double findClosestBruteVectorised(Point3* const* points, int count, Point3** first, Point3** second)
{
    return bruteWith(bestSimdLevel(), points, count, first, second);
}
