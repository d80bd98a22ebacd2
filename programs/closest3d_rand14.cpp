// The closest pair of 14 3D random points with coordinates 0 to 14, reported and shown in a window.
#include "sets/program_sets.hpp"
#include "viewer/run_program.hpp"

int main(int argc, char** argv) { return runProgram(random3d14, argc, argv); }
