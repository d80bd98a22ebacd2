// The step pictures' palette: each thing a step's picture shows, as a colour code after the
// viewer's ten, with its colour and how it is drawn: the mark of its records or the stroke of its
// lines. Every colour stands out from the background by 3:1 or more, and what must be told apart
// differs by more than hue (filled or hollow, thick or thin, solid or dashed), so the picture
// reads in grey and for the common colour blindnesses.
#pragma once

#include "scene/scene.hpp"

#include <cstddef>

// The codes, in the palette's order.
inline constexpr ColorCode paintFaded = colorCount, // the records outside the call
    paintCall = colorCount + 1,                     // the call's own records
    paintStripLeft = colorCount + 2,                // the strip's records of the left half
    paintStripRight = colorCount + 3,               // the strip's records of the right half
    paintTwin = colorCount + 4,                     // a record with an equal one
    paintSplit = colorCount + 5,                    // the call's split line x = mx
    paintOuterSplit = colorCount + 6,               // the split lines of the calls under way around it
    paintStripEdge = colorCount + 7,                // the strip's edges x = mx - d and x = mx + d
    paintBest = colorCount + 8,                     // the best pair so far, the one kept
    paintLeftPair = colorCount + 9,                 // the left half's pair
    paintRightPair = colorCount + 10,               // the right half's pair
    paintCompared = colorCount + 11,                // the pair compared
    paintReach = colorCount + 12,                   // the circle of the new best distance
    paintSearchBox = colorCount + 13,               // where the walk looks for the left record's partners
    paintShrunkBox = colorCount + 14,               // that box's height with the best as it has shrunk
    paintSide = colorCount + 15,                    // the half of a record on the split line
    paintChosen = colorCount + 16,                  // a record chosen as an answer to a question
    paintCursor = colorCount + 17;                  // the record the arrow keys are on, while a question is open

struct PaletteEntry {
    ColorCode code;
    SceneRgb color;
    SceneMark mark = SceneMark::dot; // for records
    float size = 0;                  // pixels across a record's mark
    SceneStroke stroke{};            // for lines, segments, circles
};

namespace palette {
inline constexpr SceneRgb grey{112, 112, 112}, black{0, 0, 0}, blue{0, 90, 200}, green{0, 120, 40},
    purple{110, 30, 160}, magenta{170, 0, 170}, red{200, 0, 0}, orange{180, 90, 0}, teal{0, 120, 120};
}

inline constexpr PaletteEntry stepPalette[] = {
    {paintFaded, palette::grey, SceneMark::filled, 4},
    {paintCall, palette::black, SceneMark::filled, 5},
    {paintStripLeft, palette::blue, SceneMark::filled, 11},
    {paintStripRight, palette::green, SceneMark::square, 13},
    {paintTwin, palette::purple, SceneMark::ring, 23},
    {paintSplit, palette::magenta, SceneMark::dot, 0, {3, 0, 0}},
    {paintOuterSplit, palette::magenta, SceneMark::dot, 0, {2, 7, 0}},
    {paintStripEdge, palette::blue, SceneMark::dot, 0, {2, 3, 0}}, // dotted: a record on it is outside
    {paintBest, palette::red, SceneMark::dot, 0, {5, 0, 17}},
    {paintLeftPair, palette::blue, SceneMark::dot, 0, {2, 0, 13}},
    {paintRightPair, palette::green, SceneMark::dot, 0, {2, 8, 13}},
    {paintCompared, palette::orange, SceneMark::dot, 0, {3, 9, 13}},
    {paintReach, palette::red, SceneMark::dot, 0, {2, 0, 0}},
    {paintSearchBox, palette::teal, SceneMark::dot, 0, {2, 0, -1}},
    {paintShrunkBox, palette::teal, SceneMark::dot, 0, {1, 5, -1}},
    {paintSide, palette::black, SceneMark::dot, 0, {3, 0, -1}},
    {paintChosen, palette::orange, SceneMark::ring, 19},
    {paintCursor, palette::blue, SceneMark::square, 27},
};
inline constexpr std::size_t paletteSize = std::size(stepPalette);

constexpr bool paletteInCodeOrder()
{
    for (std::size_t i = 0; i < paletteSize; ++i)
        if (stepPalette[i].code != colorCount + static_cast<ColorCode>(i))
            return false;
    return true;
}
static_assert(paletteInCodeOrder());

inline constexpr const PaletteEntry& paletteOf(ColorCode code) { return stepPalette[code - colorCount]; }
