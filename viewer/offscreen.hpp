// Frames drawn without a window and without a display: Mesa's EGL on its surfaceless platform
// gives a GL context that draws into a pixel buffer, for pictures saved by a script on any machine.
#pragma once

#include <string>

// Makes a frame of width x height pixels current in place of a window, with the view reset as a
// window's opening resets it (the scene store must hold the scene): "" once it is, else why not.
// The frame stays for the process's life; windowPixels draws and reads it.
std::string openOffscreenFrame(int width, int height);
