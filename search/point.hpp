// Search records, their orderings and the squared distance, in 2D and 3D.
#pragma once

struct Point2 {
    double x, y;
};

struct Point3 {
    double x, y, z;
};

template <class Point>
inline constexpr int dimensionOf = 0;
template <>
inline constexpr int dimensionOf<Point2> = 2;
template <>
inline constexpr int dimensionOf<Point3> = 3;

// qsort comparators over arrays of record pointers: a three-way result on one coordinate.
// Equal values and NaN compare as 0; ties are never broken on another field.
template <class Point>
int compareByX(const void* a, const void* b)
{
    const double ax = (*static_cast<const Point* const*>(a))->x;
    const double bx = (*static_cast<const Point* const*>(b))->x;
    return ax < bx ? -1 : (ax > bx ? 1 : 0);
}

template <class Point>
int compareByY(const void* a, const void* b)
{
    const double ay = (*static_cast<const Point* const*>(a))->y;
    const double by = (*static_cast<const Point* const*>(b))->y;
    return ay < by ? -1 : (ay > by ? 1 : 0);
}

inline double squaredDistance(const Point2& a, const Point2& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return dx * dx + dy * dy;
}

inline double squaredDistance(const Point3& a, const Point3& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double dz = a.z - b.z;
    return (dx * dx + dy * dy) + dz * dz;
}
