// The steps in words, in the report's language, with every number in the shortest text that
// reads back as the same double.
#pragma once

#include "explain/steps.hpp"

#include <string>

// What a step shows, with its numbers; the end repeats the report's first line.
template <class Point>
std::string describeStep(const ClosestPairRun<Point>& run, const Step& step);

// "Korak 5 od 7: " and the step's text, as --steps prints it (numbers count from 1).
template <class Point>
std::string numberedStep(const ClosestPairRun<Point>& run, const Step& step, std::size_t number, std::size_t total);
