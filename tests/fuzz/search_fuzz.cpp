// libFuzzer target: bytes become a 2D or 3D set of finite points, sorted as the programs sort
// them; the divide and conquer, the plain brute force and the vectorised one must agree bit for
// bit, name a pair of the set at that distance in x order, and leave both arrays alone.
#include "search/brute_force_simd.hpp"
#include "search/divide.hpp"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// One coordinate per tag byte: a small integer (duplicates, ties, lines), any finite double up
// to 1e150 in magnitude (no squared difference overflows), the previous point's value, or a
// large offset with a tiny spacing.
double coordinate(const uint8_t*& data, const uint8_t* end, double previous)
{
    const uint8_t tag = data < end ? *data++ : 0;
    double v = 0;
    switch (tag % 4) {
    case 0: return tag >> 2;
    case 1:
        std::memcpy(&v, data, end - data >= 8 ? 8 : 0);
        data += end - data >= 8 ? 8 : end - data;
        return !std::isfinite(v) ? 0 : std::fabs(v) > 1e150 ? std::fmod(v, 1e150) : v;
    case 2: return previous;
    default: return 1e6 + (tag >> 2) * 0x1p-20 + (data < end ? *data++ : 0) * 0x1p-30;
    }
}

template <class Point>
void check(const uint8_t* data, const uint8_t* end)
{
    std::vector<Point> records;
    for (Point p{}; data < end && records.size() < 4096; records.push_back(p))
        for (double* c = &p.x; c < &p.x + dimensionOf<Point>; ++c)
            *c = coordinate(data, end, *c);
    const int n = static_cast<int>(records.size());
    std::vector<Point*> byX, byY;
    for (Point& p : records)
        byX.push_back(&p);
    byY = byX;
    std::qsort(byX.data(), n, sizeof(Point*), compareByX<Point>);
    std::qsort(byY.data(), n, sizeof(Point*), compareByY<Point>);
    const std::vector<Point*> x0 = byX, y0 = byY;

    Point *f1 = nullptr, *s1 = nullptr, *f2 = nullptr, *s2 = nullptr, *f3 = nullptr, *s3 = nullptr;
    const double divide = findClosestDivide(byX.data(), n, byY.data(), n, &f1, &s1);
    const double plain = findClosestBrutePlain(byX.data(), n, &f2, &s2);
    const double vectorised = findClosestBruteWith(bestSimdLevel(), byX.data(), n, &f3, &s3);
    const auto inSet = [&](const Point* p) { return p >= records.data() && p < records.data() + n; };
    const bool pairOk = n < 2 ? divide == DBL_MAX && f1 == nullptr
                              : inSet(f1) && inSet(s1) && f1 != s1 && f1->x <= s1->x &&
                                    squaredDistance(*f1, *s1) == divide;
    if (std::memcmp(&divide, &plain, 8) != 0 || std::memcmp(&vectorised, &plain, 8) != 0 || f3 != f2 || s3 != s2 ||
        byX != x0 || byY != y0 || !pairOk)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0 && data[0] % 2 == 0)
        check<Point2>(data + 1, data + size);
    else if (size > 0)
        check<Point3>(data + 1, data + size);
    return 0;
}
