// The keys of the steps, in the window and on the page: what each does, the keys that do it, and
// the name a button's tip gives them. Their labels are a language's words (explain/words.hpp).
#pragma once

#include <cstddef>

enum class StepKey { next, previous, nextCall, previousCall, first, last, playOrPause, faster, slower,
                     follow, legend, large };

// The keys up to slower move the player; the page has a button for each of them, numbered by StepKey.
inline constexpr int playerKeyCount = static_cast<int>(StepKey::slower) + 1;
inline constexpr int stepKeyCount = static_cast<int>(StepKey::large) + 1;

// GLUT's codes of the special keys, as freeglut and emscripten define them (the window checks).
inline constexpr int glutLeft = 100, glutRight = 102, glutPageUp = 104, glutPageDown = 105, glutHome = 106,
                     glutEnd = 107;

// Where a key works: always, or only in projector mode or out of it (a presenter's remote sends
// Page Down and Page Up, which there step one step).
enum class KeyMode { always, projector, notProjector };

// A key as GLUT hands it over: a character, or a special key's code; code 0 is none.
struct KeyCode {
    int code = 0;
    bool special = false;
    KeyMode mode = KeyMode::always;
};

struct KeyRow {
    StepKey key;
    const char* shortcut; // the keys, as a button's tip and the help name them
    KeyCode codes[3];
};

inline constexpr KeyRow keyRows[] = {
    {StepKey::next, "Right or Space (Page Down in projector mode)",
     {{glutRight, true}, {' '}, {glutPageDown, true, KeyMode::projector}}},
    {StepKey::previous, "Left or Backspace (Page Up in projector mode)",
     {{glutLeft, true}, {8}, {glutPageUp, true, KeyMode::projector}}},
    {StepKey::nextCall, "] or Page Down", {{']'}, {glutPageDown, true, KeyMode::notProjector}}},
    {StepKey::previousCall, "[ or Page Up", {{'['}, {glutPageUp, true, KeyMode::notProjector}}},
    {StepKey::first, "Home", {{glutHome, true}}},
    {StepKey::last, "End", {{glutEnd, true}}},
    {StepKey::playOrPause, "p", {{'p'}}},
    {StepKey::faster, "+", {{'+'}, {'='}}},
    {StepKey::slower, "-", {{'-'}}},
    {StepKey::follow, "f", {{'f'}}},
    {StepKey::legend, "l", {{'l'}}},
    {StepKey::large, "z", {{'z'}}},
};

// The table holds every key once, in StepKey's order.
constexpr bool keyRowsInOrder()
{
    int i = 0;
    for (const KeyRow& row : keyRows)
        if (static_cast<int>(row.key) != i++)
            return false;
    return i == stepKeyCount;
}
static_assert(keyRowsInOrder());

// The key that code stands for, in projector mode or out of it; or null.
inline const KeyRow* keyOf(int code, bool special, bool projector)
{
    const KeyMode skipped = projector ? KeyMode::notProjector : KeyMode::projector;
    for (const KeyRow& row : keyRows)
        for (const KeyCode& k : row.codes)
            if (k.code != 0 && k.code == code && k.special == special && k.mode != skipped)
                return &row;
    return nullptr;
}
