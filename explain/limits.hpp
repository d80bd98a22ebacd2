// How large a set closest_explain takes, in its window and in its report.
#pragma once

// The largest set the window steps through; larger ones are reported without the steps.
inline constexpr int windowMostRecords = 100'000;

// Checking every pair grows with the square of the count: above this many records the report
// skips it.
inline constexpr int bruteForceMostRecords = 200'000;
