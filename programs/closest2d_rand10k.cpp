// The closest pair of 10,000 random points with coordinates 0 to 999, reported and shown in a window.
#include "programs/driver.hpp"

int main(int argc, char** argv) { return runProgram(PointSource<Point2>{10000, 1000}, argc, argv); }
