// freeglut on X11: the pointer events the window takes, what a lost X connection does, and text
// in freeglut's bitmap font.
#include "viewer/platform.hpp"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <csignal>

namespace {

// Breaks text into lines of at most width characters, at spaces where it can.
std::vector<std::string> wrap(const std::string& text, std::size_t width)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (text.size() - at > width) {
        std::size_t cut = text.rfind(' ', at + width);
        cut = cut == std::string::npos || cut <= at ? at + width : cut;
        lines.push_back(text.substr(at, cut - at));
        at = text[cut] == ' ' ? cut + 1 : cut;
    }
    lines.push_back(text.substr(at));
    return lines;
}

} // namespace

// A write to a connection that the X server has closed must fail with EPIPE, so that Xlib's I/O
// error handler reports it, instead of ending the process by SIGPIPE.
void preparePlatform() { std::signal(SIGPIPE, SIG_IGN); }

// freeglut asks for XInput2 pointer events and, for each one it cannot match to a window (as
// during a drag that leaves the window), keeps the event's data for good: memory grows for as long
// as such a drag goes on. With the XInput2 selection cleared the window gets the core pointer
// events, which freeglut handles without that leak.
void adaptWindow()
{
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;
    unsigned char none[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{XIAllMasterDevices, sizeof none, none};
    XISelectEvents(display, window, &mask, 1);
}

// In the 9 x 15 font, 18 pixels a line, whatever the navigation has done to the matrices.
void drawTextLines(const std::vector<std::string>& lines, int width, int height)
{
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    int y = height - 20;
    for (const std::string& text : lines)
        for (const std::string& line : wrap(text, static_cast<std::size_t>(std::max(20, width / 9 - 3)))) {
            glRasterPos2i(10, y);
            glutBitmapString(GLUT_BITMAP_9_BY_15, reinterpret_cast<const unsigned char*>(line.c_str()));
            y -= 18;
        }
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(mode);
}
