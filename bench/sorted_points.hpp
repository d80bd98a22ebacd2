// Records and their x and y orderings, for the benchmarks.
#pragma once

#include "search/point.hpp"

#include <algorithm>
#include <vector>

template <class Point>
struct SortedPoints {
    std::vector<Point> records;
    std::vector<Point*> byX, byY;

    explicit SortedPoints(std::vector<Point> points) : records(std::move(points))
    {
        for (Point& p : records)
            byX.push_back(&p);
        byY = byX;
        std::sort(byX.begin(), byX.end(), [](Point* a, Point* b) { return a->x < b->x; });
        std::sort(byY.begin(), byY.end(), [](Point* a, Point* b) { return a->y < b->y; });
    }
    int count() const { return static_cast<int>(records.size()); }
};
