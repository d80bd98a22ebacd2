// The closest pair of 10,000 random points with coordinates 0 to 999, reported and shown in a window.
#include "sets/program_sets.hpp"
#include "viewer/run_program.hpp"

int main(int argc, char** argv) { return runProgram(random2d10k, argc, argv); }
