// The keys of the steps, in the window and on the page: what each does, the keys that do it, and
// the name a button's tip gives them. Their labels are a language's words (explain/words.hpp).
#pragma once

#include <cstddef>

enum class StepKey { next, previous, nextCall, previousCall, first, last, playOrPause, faster, slower,
                     follow, legend, large, tree };

// The keys up to slower move the player; the page has a button for each of them, numbered by StepKey.
inline constexpr int playerKeyCount = static_cast<int>(StepKey::slower) + 1;
inline constexpr int stepKeyCount = static_cast<int>(StepKey::tree) + 1;

// GLUT's codes of the special keys, as freeglut and emscripten define them (the window checks).
inline constexpr int glutLeft = 100, glutRight = 102, glutPageUp = 104, glutPageDown = 105, glutHome = 106,
                     glutEnd = 107;

// A key as GLUT hands it over: a character, or a special key's code; code 0 is none.
struct KeyCode {
    int code = 0;
    bool special = false;
};

struct KeyRow {
    StepKey key;
    const char* shortcut; // the keys, as a button's tip and the help name them
    KeyCode codes[3];
};

inline constexpr KeyRow keyRows[] = {
    {StepKey::next, "Right or Space", {{glutRight, true}, {' '}}},
    {StepKey::previous, "Left or Backspace", {{glutLeft, true}, {8}, {127}}},
    {StepKey::nextCall, "Page Down", {{glutPageDown, true}}},
    {StepKey::previousCall, "Page Up", {{glutPageUp, true}}},
    {StepKey::first, "Home", {{glutHome, true}}},
    {StepKey::last, "End", {{glutEnd, true}}},
    {StepKey::playOrPause, "p", {{'p'}}},
    {StepKey::faster, "+", {{'+'}, {'='}}},
    {StepKey::slower, "-", {{'-'}}},
    {StepKey::follow, "f", {{'f'}}},
    {StepKey::legend, "l", {{'l'}}},
    {StepKey::large, "z", {{'z'}}},
    {StepKey::tree, "t", {{'t'}}},
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

// The key that code stands for, or null.
inline const KeyRow* keyOf(int code, bool special)
{
    for (const KeyRow& row : keyRows)
        for (const KeyCode& k : row.codes)
            if (k.code != 0 && k.code == code && k.special == special)
                return &row;
    return nullptr;
}
