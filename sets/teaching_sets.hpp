// The sets that teach: small or large sets of one kind each, whose records are the same for the
// same kind, count, seed and dimension on every build (one generator of integers, not the C
// library's rand). Coordinates are whole numbers or have one decimal, so step texts stay short.
#pragma once

#include "run/run.hpp"
#include "search/point.hpp"

#include <cstdint>
#include <string>
#include <string_view>

enum class TeachingKind { uniform, line, lattice, clusters, twins };

struct TeachingSet {
    const char* name;
    TeachingKind kind;
    const char* description; // one line
};

inline constexpr TeachingSet teachingSets[] = {
    {"uniform", TeachingKind::uniform, "records spread evenly over a square (a cube): the ordinary case"},
    {"line", TeachingKind::line,
     "every record has the same x (a line in 2D, a plane in 3D): every record of a call falls in its strip"},
    {"lattice", TeachingKind::lattice, "records on a grid of spacing 1: ties everywhere, and the left pair is kept"},
    {"clusters", TeachingKind::clusters, "a few tight clusters: the closest pair lies inside one, the strips are "
                                         "nearly empty"},
    {"twins", TeachingKind::twins, "uniform with one record repeated: distance 0"},
};

inline constexpr long long teachingLeastCount = 2;
inline constexpr long long teachingMostCount = 10'000'000;
inline constexpr long long teachingDefaultCount = 16;

// The clusters set has this many clusters from 8 records on, one for 2 or 3 records, two below 8.
inline constexpr int teachingClusterCount = 4;

// The set of that name, or null.
const TeachingSet* findTeachingSet(std::string_view name);

// Every record of that kind and count lies in [0, side] on each of the dimension's axes:
//   uniform, twins: one decimal in [0, side), side 10 * ceil(sqrt(count)) in 2D, 5 * ceil(cbrt(count)) in 3D;
//   line: x = side / 2 (whole); y (and z) one decimal, one record per unit cell, the cells shuffled:
//         count cells along y in 2D (side = count), a ceil(sqrt(count)) square in 3D, so no two coincide;
//   lattice: the first count nodes, row by row, of a grid of whole numbers 0 to side, shuffled;
//   clusters: squares (cubes) of uniform records, one per column and one per row (and layer),
//         four times their own side apart.
long long teachingSide(TeachingKind kind, long long count, int dimension);

// The count records of that kind built from seed, in the order they were drawn, in a malloc'd
// array. Throws std::invalid_argument for a count outside teachingLeastCount to teachingMostCount,
// std::bad_alloc when memory runs out.
template <class Point>
Point* teachingRecords(TeachingKind kind, int count, std::uint32_t seed);

// A run over teachingRecords, sorted as point files are (the stable sort). Throws as
// teachingRecords does, and std::bad_alloc.
template <class Point>
ClosestPairRun<Point> teachingRun(TeachingKind kind, int count, std::uint32_t seed);
