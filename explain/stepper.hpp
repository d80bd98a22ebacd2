// Stepping through the steps with keys: where the view stands and what each key does.
#pragma once

#include "explain/keys.hpp"
#include "explain/language.hpp"
#include "explain/step_text.hpp"
#include "explain/steps.hpp"

#include <string>
#include <vector>

// The keys, each with its keys and labels, in one line: "Right or Space: Next; ...".
std::string stepKeysHelp(Language language);

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

// How many distances the search has computed once each step is done: a leaf's pairs, and one per
// comparison; after the end step, EndStep::distances. Counted once for a set, so that the player's
// line costs nothing per key.
std::vector<long long> distancesSoFar(const std::vector<Step>& steps);

// All pairs of the run's records, from the end step (the last); 0 without steps.
long long allPairs(const std::vector<Step>& steps);

// "Korak 5 od 7, 4 koraka u sekundi; rastojanja: 15 od 91", with ", pusta se" after the step
// number while playing: distances is what the search has computed so far, pairs all there are.
std::string playerHeader(const StepPlayer& player, std::size_t total, long long distances, long long pairs,
                         Language language = Language::sr);

// The calls under way at steps[index], outermost first: each splitting call that has started and
// not yet answered, and the step's own call when it is a leaf. Told as lines "Poziv 1: 14 tacaka,
// podela x = 13.2" (a leaf: "svi parovi"), the split's x written in numbers' style.
std::vector<std::string> callsUnderWay(const std::vector<Step>& steps, std::size_t index,
                                       Language language = Language::sr, NumberStyle numbers = {});
