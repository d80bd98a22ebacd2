// A plain divide and conquer over records held by value, as one would write it for a benchmark:
// the records in x order, and in y order each with its x place; a vector a call for the halves.
// The same split, leaves, strips and windows as the search, so the same pair, for the yardstick.
#pragma once

#include "search/divide.hpp"

#include <algorithm>
#include <cfloat>
#include <vector>

template <class Point>
struct PlainDivide {
    struct Item {
        Point at;
        int place; // in x order
    };
    std::vector<Point> inX;
    std::vector<Item> inY;

    // From the records' x and y orderings (as the search takes them).
    PlainDivide(Point* const* byX, Point* const* byY, int count) : inX(static_cast<std::size_t>(count))
    {
        std::vector<std::pair<const Point*, int>> places(inX.size());
        for (int i = 0; i < count; ++i) {
            inX[static_cast<std::size_t>(i)] = *byX[i];
            places[static_cast<std::size_t>(i)] = {byX[i], i};
        }
        std::sort(places.begin(), places.end());
        for (int i = 0; i < count; ++i) {
            const auto found = std::lower_bound(places.begin(), places.end(), std::pair<const Point*, int>{byY[i], 0});
            inY.push_back({*byY[i], found->second});
        }
    }

    // The smallest squared distance, with its pair's x places.
    double search(int& first, int& second) const { return call(0, static_cast<int>(inX.size()), inY, first, second); }

    double call(int base, int count, const std::vector<Item>& byY, int& first, int& second) const
    {
        if (count <= divideLeafMostCount) {
            double best = DBL_MAX;
            for (int i = base; i < base + count; ++i)
                for (int j = i + 1; j < base + count; ++j) {
                    const double d = squaredDistance(inX[static_cast<std::size_t>(i)], inX[static_cast<std::size_t>(j)]);
                    if (d < best) {
                        best = d;
                        first = i;
                        second = j;
                    }
                }
            return best;
        }
        const int half = count / 2;
        const double mx = inX[static_cast<std::size_t>(base + half)].x;
        std::vector<Item> left, right;
        left.reserve(static_cast<std::size_t>(half));
        right.reserve(static_cast<std::size_t>(count - half));
        for (const Item& item : byY)
            (item.place < base + half ? left : right).push_back(item);
        double best = call(base, half, left, first, second);
        int rightFirst = -1, rightSecond = -1;
        const double rightBest = call(base + half, count - half, right, rightFirst, rightSecond);
        if (rightBest < best) {
            best = rightBest;
            first = rightFirst;
            second = rightSecond;
        }
        const auto outside = [&](const Item& item) { return !((item.at.x - mx) * (item.at.x - mx) < best); };
        left.erase(std::remove_if(left.begin(), left.end(), outside), left.end());
        if (left.empty())
            return best;
        right.erase(std::remove_if(right.begin(), right.end(), outside), right.end());
        int cursor = static_cast<int>(right.size()) - 1;
        for (int l = static_cast<int>(left.size()) - 1; l >= 0 && cursor >= 0; --l) {
            const Item& a = left[static_cast<std::size_t>(l)];
            while (cursor >= 0 && divide_detail::aboveWindow(right[static_cast<std::size_t>(cursor)].at.y, a.at.y, best))
                --cursor;
            const double windowBest = best;
            for (int u = cursor; u >= 0 && !divide_detail::belowWindow(right[static_cast<std::size_t>(u)].at.y, a.at.y,
                                                                      windowBest);
                 --u) {
                const Item& b = right[static_cast<std::size_t>(u)];
                const double d = squaredDistance(a.at, b.at);
                if (d < best) {
                    best = d;
                    first = a.place;
                    second = b.place;
                }
            }
        }
        return best;
    }
};
