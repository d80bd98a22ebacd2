// The viewer's platform in the page: emscripten's GLUT needs nothing before or after the window
// opens, and the window's text is shown by the page beside the canvas, as HTML.
#include "viewer/platform.hpp"

void preparePlatform() {}

void adaptWindow() {}

void drawTextLines(const std::vector<std::string>&, int, int) {}

void drawTextBox(const std::vector<std::string>&, int, PixelBox, int, int, float) {}
