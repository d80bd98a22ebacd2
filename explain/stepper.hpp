// Stepping through the steps with keys: where the view stands and what each key does.
#pragma once

#include "explain/steps.hpp"

#include <string>
#include <vector>

enum class StepKey { next, previous, nextCall, previousCall, first, last, playOrPause, faster, slower };

// The keys, as the window shows them.
inline constexpr const char* stepKeysHelp =
    "Desno ili razmak: napred; Levo ili Backspace: nazad; PgDn, PgUp: poziv; Home, End; p: pusti; +, -: brzina";

struct StepPlayer {
    std::size_t current = 0;     // the step shown
    bool playing = false;        // moving on by itself, stepsPerSecond steps a second
    double stepsPerSecond = 4;   // 0.25 to 512, doubled and halved by the keys
};

// Applies a key to the player. Moves stay within the steps; the next or previous call is the next
// or previous step that starts a call, or else the last or the first step.
void pressStepKey(StepPlayer& player, const std::vector<Step>& steps, StepKey key);

// A played step: the next one; playing stops at the last.
void playStep(StepPlayer& player, const std::vector<Step>& steps);

// "Korak 5 od 7, 4 koraka u sekundi", with ", pusta se" while playing.
std::string playerHeader(const StepPlayer& player, std::size_t total);

// The calls under way at steps[index], outermost first: each splitting call that has started and
// not yet answered, and the step's own call when it is a leaf. Told as lines "Poziv 1: 14 tacaka,
// podela x = 13.2" (a leaf: "svi parovi").
std::vector<std::string> callsUnderWay(const std::vector<Step>& steps, std::size_t index);
