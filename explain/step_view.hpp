// The steps' view, apart from any window: the steps stepped through, the step shown, its picture
// and texts put in the scene store, and the view's switches (the language, the digits, following
// the call, the legend, projector mode). A front end (the native window, the page) gives it hooks
// to frame a box, to redraw and to play, and hands it the keys.
#pragma once

#include "explain/calls.hpp"
#include "explain/keys.hpp"
#include "explain/language.hpp"
#include "explain/picture.hpp"
#include "explain/stepper.hpp"
#include "scene/from_records.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A box of the scene to frame: [low, high] in x and y, seen from in front of z = nearZ.
struct ViewBox {
    float low[2], high[2];
    float nearZ;
};

// How projector mode draws: the records, lines and texts about twice as large.
inline constexpr float largeScale = 2;

// What the front end does for the view.
struct StepViewHooks {
    std::function<void(const std::optional<ViewBox>&)> frame; // look at the box, or at the whole set
    std::function<void()> redraw;                           // the next frame shows the step
    std::function<void()> play;                             // the player has started playing
    std::function<void()> resize;                           // projector mode changed the texts' room
    std::function<bool(StepKey)> takesKey; // asked before each step key and played step: false holds it back
    std::function<void(const StepPlayer&)> shown; // the step shown, or the playing, has changed
    std::function<void()> present; // switches present mode, where a front end has one of its own
    std::function<void(std::size_t)> slide; // saves the step shown (from 1) as a slide
};
extern StepViewHooks stepViewHooks;

// Puts the run's records in the scene and shows steps[start] in the language, its numbers with so
// many significant digits (0: the shortest exact text); the run must outlive the view.
template <class Point>
void beginStepView(const ClosestPairRun<Point>& run, std::vector<Step> steps, std::size_t start, Language language,
                   int digits = 0);

// Shows no more steps: the keys do nothing until the next view begins.
void endStepView();

// Applies a key and shows the step it leads to, or switches following, the legend or projector
// mode (without steps, the player's keys do nothing).
void pressKey(StepKey key);

// A played step: the next one, unless the front end holds it back; whether playing goes on.
bool playNext();

// Shows the question about step in the picture in place of the step shown (the texts stay), with a
// ring about each record chosen and a square about the one at cursor (-1: none), by their positions
// in x order; the next step shown ends it.
void showQuestion(const Step& step, const std::vector<int>& chosen, int cursor = -1);

// Shows steps[index] (the last when beyond them), as a call chosen in the tree asks.
void goToStep(std::size_t index);

// The steps' calls, in the order they begin; and whether the side text shows them as a tree in
// place of the listing (the tree key switches it).
const std::vector<CallNode>& viewCalls();
bool treeShown();

// Tells the steps in another language from now on.
void setStepLanguage(Language language);

// The player's line for the step shown: its number, playing or not, the speed, the distances.
std::string playerLine();

// Following, the view is framed on each step's call (its records and its strip); not following,
// on the whole set as at start. Off at start.
void setFollow(bool on);
bool following();

// The box of the step's call: its placed records, widened to its strip's edges within the set.
ViewBox callBox(const Step& step);

// The legend of the step shown (what its picture's colours and marks stand for): its title, then
// a line each, in the language; beside the listing while on (at start).
void setLegend(bool on);
const std::vector<std::string>& stepLegend();

// Projector mode: the records, lines and texts drawn about twice as large. Off at start.
void setLarge(bool on);
bool largeShown();

// How many screen pixels the palette's sizes are drawn at per pixel they ask for, before projector
// mode doubles them (1 at start; the page sets it from its picture's size and pixels); and what
// they are drawn at with projector mode.
void setScreenScale(float scale);
float stepDrawScale();

// The listing, numbered, with > at the step's line; a blank line; the keys; with the legend on, a
// blank line and the legend: the window's column. In projector mode the listing alone.
std::vector<std::string> sideText(int marked);

// Where the steps' pictures draw the records: the set moved and scaled (explain/picture.hpp); none
// when no steps are shown.
ScenePlacement stepPlacement();

// Where the view stands, and the steps it steps through.
const StepPlayer& stepPlayer();
const std::vector<Step>& viewSteps();
