// Point sets for the search tests, sorted as the programs sort them, and the checks that every
// search result must pass.
#pragma once

#include "search/divide.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

template <class Point>
struct SortedSet {
    std::vector<Point> records;
    std::vector<Point*> byX;
    std::vector<Point*> byY;

    explicit SortedSet(std::vector<Point> points) : records(std::move(points))
    {
        for (Point& p : records)
            byX.push_back(&p);
        byY = byX;
        if (!records.empty()) {
            std::qsort(byX.data(), byX.size(), sizeof(Point*), compareByX<Point>);
            std::qsort(byY.data(), byY.size(), sizeof(Point*), compareByY<Point>);
        }
    }
    SortedSet(const SortedSet&) = delete;
    int count() const { return static_cast<int>(records.size()); }
    bool holds(const Point* p) const { return p >= records.data() && p < records.data() + records.size(); }
};

template <class Point>
struct SearchResult {
    double squared;
    Point* first = nullptr;
    Point* second = nullptr;
};

template <class Point>
SearchResult<Point> runDivide(SortedSet<Point>& set)
{
    SearchResult<Point> r{};
    r.squared = findClosestDivide(set.byX.data(), set.count(), set.byY.data(), set.count(), &r.first, &r.second);
    return r;
}

template <class Point>
SearchResult<Point> runPlain(SortedSet<Point>& set)
{
    SearchResult<Point> r{};
    r.squared = findClosestBrutePlain(set.byX.data(), set.count(), &r.first, &r.second);
    return r;
}

template <class Point>
SearchResult<Point> runBrute(SortedSet<Point>& set)
{
    SearchResult<Point> r{};
    r.squared = findClosestBrute(set.byX.data(), set.count(), &r.first, &r.second);
    return r;
}

// The reported pair names two distinct records of the set, at the returned squared distance,
// in x order; with no pair the slots stay empty.
template <class Point>
void expectValidPair(const SortedSet<Point>& set, const SearchResult<Point>& r)
{
    if (set.count() < 2) {
        EXPECT_EQ(r.squared, DBL_MAX);
        EXPECT_EQ(r.first, nullptr);
        EXPECT_EQ(r.second, nullptr);
        return;
    }
    ASSERT_TRUE(set.holds(r.first));
    ASSERT_TRUE(set.holds(r.second));
    EXPECT_NE(r.first, r.second);
    EXPECT_EQ(squaredDistance(*r.first, *r.second), r.squared);
    EXPECT_LE(r.first->x, r.second->x);
}

// The result is records i and j of the set (by record index), at the given squared distance.
template <class Point>
void expectPair(const SortedSet<Point>& set, const SearchResult<Point>& r, double squared, int i, int j)
{
    EXPECT_EQ(r.squared, squared);
    EXPECT_EQ(r.first, &set.records[i]);
    EXPECT_EQ(r.second, &set.records[j]);
}
