// The vectorised brute force, with a choice of instruction set for tests and benchmarks.
#pragma once

#include "point.hpp"

enum class SimdLevel { plain, avx2, avx512, simd128 }; // simd128: WebAssembly's

// Whether this processor (and this build) can run the given level.
bool simdLevelSupported(SimdLevel level);

// The widest level that simdLevelSupported accepts; findClosestBrute uses it for large counts.
SimdLevel bestSimdLevel();

const char* simdLevelName(SimdLevel level);

// findClosestBrute's result computed with one level; an unsupported level runs the plain loop.
double findClosestBruteWith(SimdLevel level, Point2* const* points, int count, Point2** first, Point2** second);
double findClosestBruteWith(SimdLevel level, Point3* const* points, int count, Point3** first, Point3** second);
