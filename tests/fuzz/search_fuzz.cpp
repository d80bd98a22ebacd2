// libFuzzer target: bytes become a 2D or 3D set of finite points, sorted as the programs sort
// them; the divide and conquer, the plain brute force and the vectorised brute force must agree
// bit for bit, report a pair of the set at that distance in x order, and leave both arrays alone.
#include "search/brute_force_simd.hpp"
#include "search/divide.hpp"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Reads the input a byte or a double at a time; past its end it yields zeros.
struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool done() const { return at >= size; }
    uint8_t byte() { return at < size ? data[at++] : 0; }
    double raw()
    {
        uint8_t bytes[8] = {};
        for (uint8_t& b : bytes)
            b = byte();
        double v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }
};

// One coordinate, by a tag byte: a small integer (duplicates, ties, lines), any finite double up
// to 1e150 in magnitude (so no squared difference overflows; -0.0 and subnormals included),
// the previous point's value, or a large offset with a tiny spacing.
double coordinate(Reader& in, double previous)
{
    const uint8_t tag = in.byte();
    switch (tag % 4) {
    case 0:
        return tag >> 2;
    case 1: {
        const double v = in.raw();
        if (!std::isfinite(v))
            return 0;
        return std::fabs(v) > 1e150 ? std::fmod(v, 1e150) : v;
    }
    case 2:
        return previous;
    default:
        return 1e6 + (tag >> 2) * 0x1p-20 + in.byte() * 0x1p-30;
    }
}

template <class Point>
void check(Reader& in)
{
    std::vector<Point> records;
    Point previous{};
    while (!in.done() && records.size() < 4096) {
        Point p = previous;
        double* c = &p.x;
        for (int k = 0; k < dimensionOf<Point>; ++k)
            c[k] = coordinate(in, c[k]);
        records.push_back(p);
        previous = p;
    }
    const int n = static_cast<int>(records.size());
    std::vector<Point*> byX, byY;
    for (Point& p : records)
        byX.push_back(&p);
    byY = byX;
    if (n > 0) {
        std::qsort(byX.data(), n, sizeof(Point*), compareByX<Point>);
        std::qsort(byY.data(), n, sizeof(Point*), compareByY<Point>);
    }
    const std::vector<Point*> x0 = byX, y0 = byY;

    Point *f1 = nullptr, *s1 = nullptr, *f2 = nullptr, *s2 = nullptr, *f3 = nullptr, *s3 = nullptr;
    const double divide = findClosestDivide(byX.data(), n, byY.data(), n, &f1, &s1);
    const double plain = findClosestBrutePlain(byX.data(), n, &f2, &s2);
    const double vectorised = findClosestBruteWith(bestSimdLevel(), byX.data(), n, &f3, &s3);

    const auto fail = [] { __builtin_trap(); };
    if (std::memcmp(&divide, &plain, sizeof divide) != 0 || std::memcmp(&vectorised, &plain, sizeof plain) != 0)
        fail();
    if (f3 != f2 || s3 != s2 || byX != x0 || byY != y0)
        fail();
    if (n < 2) {
        if (divide != DBL_MAX || f1 != nullptr || s1 != nullptr)
            fail();
        return;
    }
    const auto inSet = [&](const Point* p) { return p >= records.data() && p < records.data() + n; };
    if (!inSet(f1) || !inSet(s1) || f1 == s1 || !(f1->x <= s1->x) || squaredDistance(*f1, *s1) != divide)
        fail();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in{data, size};
    if (in.byte() % 2 == 0)
        check<Point2>(in);
    else
        check<Point3>(in);
    return 0;
}
