// Brute-force closest pair: every pair of an array of record pointers, in (i, j) order.
#pragma once

#include "point.hpp"

#include <cfloat>

// Counts from which findClosestBrute hands the work to the vectorised loop.
inline constexpr int vectorisedBruteMinCount = 64;

// The plain loop. Strict `<` keeps the first pair in (i, j) order that reaches the minimum;
// with fewer than two records it returns DBL_MAX and leaves *first and *second alone.
template <class Point>
double findClosestBrutePlain(Point* const* points, int count, Point** first, Point** second)
{
    double best = DBL_MAX;
    for (int i = 0; i < count; ++i) {
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

// The vectorised loop (brute_force_simd.cpp): the same result, bit for bit and pair for pair.
double findClosestBruteVectorised(Point2* const* points, int count, Point2** first, Point2** second);
double findClosestBruteVectorised(Point3* const* points, int count, Point3** first, Point3** second);

template <class Point>
double findClosestBrute(Point* const* points, int count, Point** first, Point** second)
{
    if (count < vectorisedBruteMinCount)
        return findClosestBrutePlain(points, count, first, second);
    return findClosestBruteVectorised(points, count, first, second);
}
