// What the window needs of its platform beyond GLUT: freeglut on X11 here (x11.cpp), the web page
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
