// A whole program: build and report the run, then show it in the viewer.
#pragma once

#include "run/point_source.hpp"

// Reports the closest pair of the source's set, hands the records and the brute force's pair to
// the scene, and starts the viewer. Returns its exit status; reports running out of memory on
// standard error under the program's name.
template <class Point>
int runProgram(const PointSource<Point>& source, int argc, char** argv);
