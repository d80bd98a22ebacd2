// The point sets of the five programs, by name.
#pragma once

#include "run/point_source.hpp"
#include "search/point.hpp"

#include <string_view>
#include <variant>

// closest2d_fixed14's set, in record order.
inline constexpr Point2 fixedSet14[14] = {
    {0.0, 2.6},  {17.6, 3.4}, {4.4, 3.0},  {19.6, 5.7}, {8.8, 5.4},  {10.9, 3.2}, {2.6, 5.2},
    {14.2, 7.7}, {7.4, 1.8},  {18.6, 0.0}, {5.8, 8.8},  {13.2, 1.2}, {22.0, 4.8}, {15.6, 2.8},
};

inline constexpr PointSource<Point2> fixed2d14{14, 0, fixedSet14};
inline constexpr PointSource<Point2> random2d14{14, 15};      // coordinates 0 to 14
inline constexpr PointSource<Point2> random2d10k{10000, 1000}; // coordinates 0 to 999
inline constexpr PointSource<Point3> random3d14{14, 15};
inline constexpr PointSource<Point3> random3d10k{10000, 15};

using AnyPointSource = std::variant<PointSource<Point2>, PointSource<Point3>>;

struct ProgramSet {
    const char* name;
    AnyPointSource source;
};

inline constexpr ProgramSet programSets[] = {
    {"closest2d_fixed14", fixed2d14}, {"closest2d_rand14", random2d14}, {"closest2d_rand10k", random2d10k},
    {"closest3d_rand14", random3d14}, {"closest3d_rand10k", random3d10k},
};

// The program of that name, or null.
inline const ProgramSet* findProgramSet(std::string_view name)
{
    for (const ProgramSet& program : programSets)
        if (name == program.name)
            return &program;
    return nullptr;
}
