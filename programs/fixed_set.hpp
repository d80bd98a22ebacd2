// The fixed 14-point set of closest2d_fixed14, in record order.
#pragma once

#include "search/point.hpp"

inline constexpr Point2 fixedSet14[14] = {
    {0.0, 2.6},  {17.6, 3.4}, {4.4, 3.0},  {19.6, 5.7}, {8.8, 5.4},  {10.9, 3.2}, {2.6, 5.2},
    {14.2, 7.7}, {7.4, 1.8},  {18.6, 0.0}, {5.8, 8.8},  {13.2, 1.2}, {22.0, 4.8}, {15.6, 2.8},
};
