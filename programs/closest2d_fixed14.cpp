// The closest pair of a fixed set of 14 points in the plane, reported and shown in a window.
#include "programs/driver.hpp"
#include "programs/fixed_set.hpp"

int main(int argc, char** argv) { return runProgram(PointSource<Point2>{14, 0, fixedSet14}, argc, argv); }
