// The report: both searches run and timed, four lines on an output stream.
#pragma once

#include "run/run.hpp"

#include <climits>
#include <cstdio>
#include <string>
#include <utility>

// A report line without its line break: distanceFormat ("Min: %f; " or "Min: %g; ") with the
// distance, then "Izmedju" and the pair, or "Izmedju nema para" when there is none (fewer than
// two records, or every squared distance overflowing).
template <class Point>
std::string resultLine(const char* distanceFormat, double squared, const Point* first, const Point* second);

// Runs and times both searches, printing the four report lines to out. Above bruteForceMost
// records the brute force is skipped, and one line says so in place of its two. The run keeps the
// last search's pair; the divide and conquer's is returned.
template <class Point>
std::pair<Point*, Point*> searchAndReport(ClosestPairRun<Point>& run, std::FILE* out, int bruteForceMost = INT_MAX);
