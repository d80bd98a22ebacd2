// The cost of the divide and conquer against checking all pairs, counted by running it over the
// sets that teach: a row for each of 16, 32, 64, ... records up to the most asked for.
#pragma once

#include "sets/teaching_sets.hpp"

#include <cstdint>
#include <functional>
#include <string>

// The table counts sets of costLeastCount, twice as many, ... records, up to costDefaultMost unless
// asked for another most, of the kind costDefaultKind unless asked for another.
inline constexpr long long costLeastCount = 16;
inline constexpr long long costDefaultMost = 65'536;
inline constexpr const char* costDefaultKind = "uniform";

struct CostRow {
    int count = 0;               // n: records of the set
    long long distances = 0;     // computed by the divide and conquer, as its end step counts them
    long long leafDistances = 0; // of them, in calls checked pair by pair
    long long stripDistances = 0;
    long long pairs = 0;         // n(n - 1) / 2: what checking every pair computes
    double ratio = 0;            // distances / pairs
    int mostComparisons = 0;     // the most comparisons of any one left strip record
    int depth = 0;               // the most calls under way at once (1 for a single leaf)
    double sortMilliseconds = 0; // both orderings, by the stable sort
    double divideMilliseconds = 0;
};

// One row for each n = costLeastCount, twice as many, ... up to most, then one for most itself when it is not among
// them (so a most below 16 gives that single row), each over teachingRun(kind, n, seed)
// in dimension 2 or 3, handed to row as soon as it is measured. The counts come from the search
// run with a counting observer; the divide and conquer's time from a second run without one.
// Throws std::invalid_argument for a most outside teachingLeastCount to teachingMostCount or
// another dimension, std::bad_alloc when memory runs out.
void costRows(TeachingKind kind, int dimension, long long most, std::uint32_t seed,
              const std::function<void(const CostRow&)>& row);

// "n distances leaf strip pairs ratio most depth sort_ms divide_ms"
std::string costHeader();

// The row's columns in the header's order, separated by spaces: whole numbers, the ratio to six
// significant digits, the times in milliseconds with three decimals.
std::string costLine(const CostRow& row);
