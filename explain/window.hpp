// closest_explain's window: the viewer's window, title and mouse navigation, showing one step of
// the divide and conquer at a time: the player's line and the step's text in a band above the
// picture, the listing with the step's line marked and the keys in a column at its right.
//
// Keys: Right or Space, the next step; Left or Backspace, the previous one; Page Down and Page Up,
// the next and the previous call; Home and End, the first and the last step; p, play or pause;
// + and -, faster and slower; f, follow the call or not; l, the legend or not; z, projector mode
// or not. Closing the window ends the program with status 0.
#pragma once

#include "explain/options.hpp"
#include "explain/steps.hpp"
#include "explain/stepper.hpp"
#include "scene/from_records.hpp"

#include <functional>
#include <string>
#include <vector>

// Puts the run's records in the scene and shows steps[start] in the language, its numbers with so
// many significant digits (0: the shortest exact text), with or without a window open; the run
// must outlive the view.
template <class Point>
void beginStepView(const ClosestPairRun<Point>& run, std::vector<Step> steps, std::size_t start, Language language,
                   int digits = 0);

// Tells the steps in another language from now on.
void setStepLanguage(Language language);

// Shows no more steps: the keys do nothing until the next view begins.
void endStepView();

// Takes the window's keys for the steps (once the window is open).
void takeStepKeys();

// Applies a key and shows the step it leads to (without steps, nothing).
void pressKey(StepKey key);

// The player's line for the step shown: its number, playing or not, the speed, the distances.
std::string playerLine();

// Following, the view is framed on each step's call (its records and its strip); not following,
// on the whole set as at start. Off at start.
void setFollow(bool on);
bool following();

// The legend of the step shown (what its picture's colours and marks stand for): its title, then
// a line each, in the language; in the window beside the listing and the keys while on (at start).
void setLegend(bool on);
bool legendShown();
const std::vector<std::string>& stepLegend();

// Projector mode: the records, lines and texts drawn about twice as large (drawScale 2), the
// band and the column grown to hold the texts. Off at start.
void setLarge(bool on);
bool largeShown();

// How many screen pixels the palette's sizes are drawn at per pixel they ask for, before projector
// mode doubles them (1 at start; the page's script sets it from its picture's size and pixels).
void setScreenScale(float scale);

// Where the steps' pictures draw the records: the set moved and scaled (explain/picture.hpp); none
// when no steps are shown.
ScenePlacement stepPlacement();

// Where the view stands, and the steps it steps through.
const StepPlayer& stepPlayer();
const std::vector<Step>& viewSteps();

// Called with the player whenever the step shown, or the playing, changes.
extern std::function<void(const StepPlayer&)> onStepShown;

// Asked before each step key, and before each played step as the next key: false leaves the step
// where it stands and stops playing (the page holds a step back while it asks its question).
extern std::function<bool(StepKey)> takesStepKey;

// Opens the window at the options' step in their language and runs GLUT's main loop, which does
// not return.
template <class Point>
[[noreturn]] void showSteps(const ClosestPairRun<Point>& run, std::vector<Step> steps, const ExplainOptions& options,
                            char* program);
