// closest_explain's window: the viewer's window, title and mouse navigation, showing one step of
// the divide and conquer at a time (explain/step_view.hpp): the player's line and the step's text
// in a band above the picture, the listing with the step's line marked, the keys and the legend in
// a column at its right.
//
// Keys: Right or Space, the next step; Left or Backspace, the previous one; Page Down and Page Up,
// the next and the previous call; Home and End, the first and the last step; p, play or pause;
// + and -, faster and slower; f, follow the call or not; l, the legend or not; z, projector mode
// or not (explain/keys.hpp). Closing the window ends the program with status 0.
#pragma once

#include "explain/options.hpp"
#include "explain/step_view.hpp"

// Takes the window's keys for the steps, and shows the step view in the window (once it is open):
// its frames, its timer and its sizes.
void takeStepKeys();

// Opens the window at the options' step in their language and runs GLUT's main loop, which does
// not return.
template <class Point>
[[noreturn]] void showSteps(const ClosestPairRun<Point>& run, std::vector<Step> steps, const ExplainOptions& options,
                            char* program);

// Draws the options' step as a slide, as the window in projector mode with the legend would show it
// at slideWidth x slideHeight, without a window or a display, into the PNG file options.slide:
// "" once written, else why not.
template <class Point>
std::string drawSlide(const ClosestPairRun<Point>& run, std::vector<Step> steps, const ExplainOptions& options);
