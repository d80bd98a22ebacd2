// What both forms of the divide and conquer share: where calls stop splitting, how far ahead walks
// over records all over memory ask for them, and the scan window's edges in the strip.
#pragma once

// Calls of at most this many records are answered by checking every pair.
inline constexpr int divideLeafMostCount = 8;

namespace divide_detail {

// The walks over y-ordered records reach records all over memory; in calls too large for the
// caches they ask for each record this many places ahead.
inline constexpr int prefetchDistance = 16;
inline constexpr int prefetchFromCount = 1 << 15;


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
