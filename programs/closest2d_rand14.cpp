// The closest pair of 14 random points with coordinates 0 to 14, reported and shown in a window.
#include "programs/driver.hpp"

int main(int argc, char** argv) { return runProgram(PointSource<Point2>{14, 15}, argc, argv); }
