// freeglut on X11: the pointer events the window takes, what a lost X connection does, and text
// in freeglut's bitmap font.
#include "viewer/platform.hpp"
#include "viewer/viewer.hpp"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <csignal>

namespace {

constexpr int lineHeight = 18;    // pixels from one row of text to the next
constexpr int firstBaseline = 20; // pixels from the top of the text to the first row's baseline

// Breaks text into lines of at most width characters, at spaces where it can; the lines after the
// first start with hang spaces (less than width).
std::vector<std::string> wrap(const std::string& text, std::size_t width, std::size_t hang = 0)
{
    std::vector<std::string> lines;
    std::string indent;
    std::size_t at = 0;
    while (text.size() - at > width - indent.size()) {
        const std::size_t room = width - indent.size();
        std::size_t cut = text.rfind(' ', at + room);
        cut = cut == std::string::npos || cut <= at ? at + room : cut;
        lines.push_back(indent + text.substr(at, cut - at));
        at = text[cut] == ' ' ? cut + 1 : cut;
        indent.assign(hang, ' ');
    }
    lines.push_back(indent + text.substr(at));
    return lines;
}

// Characters a row of a text width pixels wide holds.
std::size_t rowLength(int width) { return static_cast<std::size_t>(std::max(20, width / 9 - 3)); }

// What drawing in window pixels sets aside: the matrix mode and the picture's viewport.
struct SavedView {
    GLint mode = 0;
    GLint viewport[4] = {};
};

// From here on draws in window pixels (y up, over the whole window), whatever the navigation and
// the picture's viewport have done to the matrices and the viewport; leaveWindowPixels undoes it.
SavedView enterWindowPixels(int width, int height)
{
    SavedView saved;
    glGetIntegerv(GL_MATRIX_MODE, &saved.mode);
    glGetIntegerv(GL_VIEWPORT, saved.viewport);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    return saved;
}

void leaveWindowPixels(const SavedView& saved)
{
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(saved.mode);
    glViewport(saved.viewport[0], saved.viewport[1], saved.viewport[2], saved.viewport[3]);
}

void drawRow(const std::string& row, int x, int y)
{
    glRasterPos2i(x, y);
    glutBitmapString(GLUT_BITMAP_9_BY_15, reinterpret_cast<const unsigned char*>(row.c_str()));
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
    const SavedView saved = enterWindowPixels(width, height);
    int y = height - firstBaseline;
    for (const std::string& text : lines)
        for (const std::string& line : wrap(text, rowLength(width))) {
            drawRow(line, 10, y);
            y -= lineHeight;
        }
    leaveWindowPixels(saved);
}

namespace {

// A text box's pixels as last drawn, so that while its text stays the same each frame draws them
// back in one call: the bitmap font costs a call per character, more than the rest of a frame of
// a small set.
struct DrawnBox {
    std::vector<std::string> lines;
    int marked = -1;
    PixelBox box{};
    int windowHeight = 0;
    std::vector<unsigned char> pixels; // RGBA, from the bottom row up
};

std::vector<DrawnBox> drawnBoxes; // one for each place text is drawn

DrawnBox& drawnAt(PixelBox box)
{
    for (DrawnBox& drawn : drawnBoxes)
        if (drawn.box.left == box.left && drawn.box.top == box.top)
            return drawn;
    return drawnBoxes.emplace_back();
}

} // namespace

void drawTextBox(const std::vector<std::string>& lines, int marked, PixelBox box, int width, int height)
{
    const SavedView saved = enterWindowPixels(width, height);
    DrawnBox& drawn = drawnAt(box);
    const int bottom = height - box.top - box.height;
    if (drawn.lines == lines && drawn.marked == marked && drawn.windowHeight == height && !drawn.pixels.empty() &&
        drawn.box.width == box.width && drawn.box.height == box.height && bottom >= 0) {
        glRasterPos2i(box.left, bottom);
        glDrawPixels(box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, drawn.pixels.data());
        leaveWindowPixels(saved);
        return;
    }
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    const std::size_t length = rowLength(box.width);
    int baseline = box.top + firstBaseline; // from the window's top
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const std::size_t start = std::min(lines[i].find_first_not_of(" >0123456789"), lines[i].size());
        for (const std::string& row : wrap(lines[i], length, std::min(start + 2, length / 2))) {
            if (baseline + 4 > box.top + box.height)
                break;
            const int y = height - baseline; // GL's, from the bottom
            if (i == marked) {
                setColor(colorBlue);
                glRecti(box.left + 4, y - 5, box.left + box.width - 4, y + lineHeight - 5);
                setColor(colorWhite);
            }
            drawRow(row, box.left + 10, y); // the raster position takes the colour
            glColor4fv(color);
            baseline += lineHeight;
        }
    }
    drawn = DrawnBox{lines, marked, box, height, {}};
    if (bottom >= 0 && box.width > 0 && box.height > 0) {
        drawn.pixels.resize(4 * static_cast<std::size_t>(box.width) * static_cast<std::size_t>(box.height));
        glReadPixels(box.left, bottom, box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, drawn.pixels.data());
    }
    leaveWindowPixels(saved);
}
