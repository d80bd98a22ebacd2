// Text in a scalable monospaced font for a hall's screen: DejaVu Sans Mono Bold, rasterised by
// FreeType into antialiased pixels, so that it reads the same in a window and in a frame drawn
// without one. Sizes are the text's height in pixels, its ascent and descent.
#pragma once

#include <string>

// Reads the font once: whether it could; else why not in why.
bool scalableFontReady(std::string* why = nullptr);

// Per pixel of the text's height: from one character to the next, and above the baseline; once
// the font could be read.
struct ScalableMetrics {
    float advance;
    float ascent;
};
ScalableMetrics scalableMetrics();

// row (a byte a character) pixels high, its baseline's left end at window pixel (x, y) counted
// from the bottom left, in the current colour; nothing when the font cannot be read.
void drawScalableRow(const std::string& row, int x, int y, float pixels);
