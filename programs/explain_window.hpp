// closest_explain's window: the viewer's window, title and mouse navigation, showing one step of
// the divide and conquer at a time, with the step's text in the top left corner.
//
// Keys: Right or Space, the next step; Left or Backspace, the previous one; Page Down and Page Up,
// the next and the previous call; Home and End, the first and the last step; p, play or pause;
// + and -, faster and slower. Closing the window ends the program with status 0.
#pragma once

#include "programs/explain_steps.hpp"

#include <string>
#include <vector>

// The largest set the window steps through; larger ones are for --text.
inline constexpr int windowMostRecords = 100'000;

// Opens the window at steps[start] and runs GLUT's main loop, which does not return.
template <class Point>
[[noreturn]] void showSteps(const ClosestPairRun<Point>& run, std::vector<Step> steps, std::size_t start,
                            char* program);
