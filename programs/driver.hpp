// The run shared by the five programs: build the point set, sort it by x and by y, find the
// closest pair by divide and conquer and then by brute force, report each with its time, and
// show the points and the brute force's pair in the viewer.
#pragma once

#include "search/point.hpp"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

// Where a program's records come from: a fixed table of `count` records, or `rand() % modulus`
// per coordinate, record by record (x, y, then z), after seeding from `seed`, or from the current
// second when it is negative.
template <class Point>
struct PointSource {
    int count;
    int modulus;               // used when table is null
    const Point* table = nullptr;
    long long seed = -1;
};

// The records, their two orderings and the closest pair found by both searches. The records and
// arrays are malloc'd and never released: they live as long as the process.
template <class Point>
struct ClosestPairRun {
    Point* records = nullptr;
    Point** byX = nullptr;
    Point** byY = nullptr;
    int count = 0;
    Point* first = nullptr;  // the pair, as the last search left it
    Point* second = nullptr;
};

// Builds the records and both sorted orderings. Throws std::bad_alloc when memory runs out.
template <class Point>
ClosestPairRun<Point> prepareRun(const PointSource<Point>& source);

// A run over count records already in a malloc'd block, which the run takes over: builds and
// sorts both orderings, with qsort as the programs do, or, when fast, with a stable sort of each
// ordering on its own thread, which gives the order of glibc's merge-sorting qsort in less time.
// Throws std::bad_alloc when memory runs out.
template <class Point>
ClosestPairRun<Point> sortRun(Point* records, int count, bool fast = false);

// Hands back the records and arrays of a run (the programs keep theirs until they end).
template <class Point>
void releaseRun(ClosestPairRun<Point>& run)
{
    std::free(run.records);
    std::free(run.byX);
    std::free(run.byY);
    run = ClosestPairRun<Point>{};
}

// Runs and times both searches, printing the four report lines to out. Above bruteForceMost
// records the brute force is skipped, and one line says so in place of its two.
template <class Point>
void searchAndReport(ClosestPairRun<Point>& run, std::FILE* out, int bruteForceMost = INT_MAX);

// A report line without its line break: format ("Min: %f; " or "Min: %g; ") with the distance,
// then the pair, or "Izmedju nema para" when there is none.
template <class Point>
std::string resultLine(const char* format, double squared, const Point* first, const Point* second);

// Adds every record (colour 9, black) and the pair as a segment at z = 0 (colour 0, red).
template <class Point>
void addToScene(const ClosestPairRun<Point>& run);

// A whole program: report, then the viewer. Returns its exit status; reports running out of
// memory on standard error under the program's name.
template <class Point>
int runProgram(const PointSource<Point>& source, int argc, char** argv);
