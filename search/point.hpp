// Search records, their orderings and the squared distance, in 2D and 3D, and the arrays that
// hold them.
#pragma once

#include <cstdlib>
#include <new>

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

// Coordinate k of a record: 0 is x, 1 is y, 2 is z.
inline double coordinate(const Point2& p, int k) { return k == 0 ? p.x : p.y; }
inline double coordinate(const Point3& p, int k) { return k == 0 ? p.x : k == 1 ? p.y : p.z; }
inline double& coordinate(Point2& p, int k) { return k == 0 ? p.x : p.y; }
inline double& coordinate(Point3& p, int k) { return k == 0 ? p.x : k == 1 ? p.y : p.z; }

// The pairs among count records.
constexpr long long pairCount(long long count) { return count * (count - 1) / 2; }

// count elements of T from malloc (nullptr for none); std::bad_alloc when there are none to be had.
template <class T>
T* allocateArray(long long count)
{
    if (count <= 0)
        return nullptr;
    void* block = std::malloc(sizeof(T) * static_cast<std::size_t>(count));
    if (block == nullptr)
        throw std::bad_alloc();
    return static_cast<T*>(block);
}

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
