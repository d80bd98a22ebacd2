// What the window needs of its platform beyond GLUT: freeglut on X11 here (platform.cpp), the page
// its own.
#pragma once

#include <string>
#include <vector>

// Before the window opens.
void preparePlatform();

// Once the window is open and its GL context current.
void adaptWindow();

// Lines of text from the top left corner of a window width pixels wide, in the current colour,
// each wrapped to the window's width.
void drawTextLines(const std::vector<std::string>& lines, int width, int height);

// A box of window pixels, from the window's top left corner.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Lines of text in the box of a window width x height pixels, in the current colour, each wrapped
// to the box's width like drawTextLines' lines; a wrapped line goes on 2 characters past its
// leading spaces, digits and '>' (a listing line's number and indentation). Rows that do not fit
// in the box are left out. The line marked (an index, or -1) is drawn in white on a blue bar.
void drawTextBox(const std::vector<std::string>& lines, int marked, PixelBox box, int width, int height);
