// What both forms of the divide and conquer share: where calls stop splitting, and the scan
// window's edges in the strip.
#pragma once

// Calls of at most this many records are answered by checking every pair.
inline constexpr int divideLeafMostCount = 8;

namespace divide_detail {

// Right record at height ry lies so far above ly that it cannot beat best, for this left record
// or any lower one.
inline bool aboveWindow(double ry, double ly, double best)
{
    const double dy = ry - ly;
    return dy > 0 && dy * dy >= best;
}

// Right record at height ry lies so far below ly that neither it nor any lower one can beat best.
inline bool belowWindow(double ry, double ly, double best)
{
    const double dy = ly - ry;
    return dy > 0 && dy * dy >= best;
}

} // namespace divide_detail
