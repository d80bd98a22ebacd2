// The closest pair of a fixed set of 14 points in the plane, reported and shown in a window.
#include "sets/program_sets.hpp"
#include "viewer/run_program.hpp"

int main(int argc, char** argv) { return runProgram(fixed2d14, argc, argv); }
