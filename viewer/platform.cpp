// freeglut on X11: the pointer events the window takes, what a lost X connection does, and text
// in freeglut's bitmap fonts, or in a scalable monospaced font for a hall's screen.
#include "viewer/platform.hpp"
#include "viewer/scalable_font.hpp"
#include "viewer/viewer.hpp"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <csignal>

namespace {

// The font text is drawn in: freeglut's 9 x 15 bitmap font, or in projector mode (drawScale above
// 1) its Helvetica 18, which is not monospaced: rows are then measured in pixels.
struct TextFont {
    void* font;
    int lineHeight;    // pixels from one row of text to the next
    int firstBaseline; // pixels from the top of the text to the first row's baseline
};
constexpr TextFont smallFont{GLUT_BITMAP_9_BY_15, 18, 20}, largeFont{GLUT_BITMAP_HELVETICA_18, 24, 24};

const TextFont& textFont() { return drawScale > 1 ? largeFont : smallFont; }

// Text sized in pixels is drawn in the scalable font; where it cannot be read, in freeglut's
// monospaced stroke font: each character 104.76 units wide, 119.05 above the baseline and 33.33
// below, drawn so many pixels high (ascent and descent), with strokes as wide as read well.
constexpr float strokeWidth = 104.76f, strokeAscent = 119.05f, strokeHeight = 152.38f;

ScalableMetrics sizedMetrics()
{
    return scalableFontReady() ? scalableMetrics() : ScalableMetrics{strokeWidth / strokeHeight, strokeAscent / strokeHeight};
}

int lineHeightFor(float pixels) { return pixels > 0 ? static_cast<int>(pixels * 1.25f + 0.5f) : textFont().lineHeight; }
int firstBaselineFor(float pixels)
{
    return pixels > 0 ? static_cast<int>(pixels * (0.25f + sizedMetrics().ascent) + 0.5f) : textFont().firstBaseline;
}

// Breaks text into lines that fit a row, at spaces where they can; the lines after the first
// start with hang spaces. fits(line) says whether a line fits; a first character always does.
template <class Fits>
std::vector<std::string> wrapBy(const std::string& text, Fits fits, std::size_t hang)
{
    std::vector<std::string> lines;
    std::string indent;
    std::size_t at = 0;
    while (!fits(indent + text.substr(at))) {
        std::size_t room = 1; // characters of text that fit after the indent
        while (at + room < text.size() && fits(indent + text.substr(at, room + 1)))
            ++room;
        std::size_t cut = text.rfind(' ', at + room);
        cut = cut == std::string::npos || cut <= at ? at + room : cut;
        lines.push_back(indent + text.substr(at, cut - at));
        at = text[cut] == ' ' ? cut + 1 : cut;
        indent.assign(hang, ' ');
    }
    lines.push_back(indent + text.substr(at));
    return lines;
}

// Characters a row of a text width pixels wide holds in the 9 x 15 font.
std::size_t rowLength(int width) { return static_cast<std::size_t>(std::max(20, width / 9 - 3)); }

// text broken into rows of a text width pixels wide, those after the first indented by hang
// characters (at most half a row); in the monospaced sized font textPixels high when that is above 0.
std::vector<std::string> wrap(const std::string& text, int width, std::size_t hang = 0, float textPixels = 0)
{
    if (textPixels > 0) {
        const float advance = textPixels * sizedMetrics().advance;
        const auto length = static_cast<std::size_t>(std::max(20.0f, (static_cast<float>(width) - 2 * textPixels) / advance));
        return wrapBy(text, [length](const std::string& line) { return line.size() <= length; }, std::min(hang, length / 2));
    }
    const std::size_t length = rowLength(width);
    hang = std::min(hang, length / 2);
    if (drawScale <= 1)
        return wrapBy(text, [length](const std::string& line) { return line.size() <= length; }, hang);
    const int pixels = std::max(width - 27, 9 * 20);
    return wrapBy(
        text,
        [pixels](const std::string& line) {
            return glutBitmapLength(largeFont.font, reinterpret_cast<const unsigned char*>(line.c_str())) <= pixels;
        },
        hang);
}

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

void drawRow(const std::string& row, int x, int y, float pixels = 0)
{
    if (pixels <= 0) {
        glRasterPos2i(x, y);
        glutBitmapString(textFont().font, reinterpret_cast<const unsigned char*>(row.c_str()));
        return;
    }
    if (scalableFontReady()) {
        drawScalableRow(row, x, y, pixels);
        return;
    }
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0);
    const float scale = pixels / strokeHeight;
    glScalef(scale, scale, 1);
    glLineWidth(std::max(1.5f, pixels / 13));
    for (const char c : row)
        glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, static_cast<unsigned char>(c));
    glLineWidth(1);
    glPopMatrix();
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

// In the text font, whatever the navigation has done to the matrices.
void drawTextLines(const std::vector<std::string>& lines, int width, int height)
{
    const SavedView saved = enterWindowPixels(width, height);
    int y = height - textFont().firstBaseline;
    for (const std::string& text : lines)
        for (const std::string& line : wrap(text, width)) {
            drawRow(line, 10, y);
            y -= textFont().lineHeight;
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
    float scale = 1;  // drawScale then
    float pixels = 0; // the text's height then
    PixelBox box{};
    int windowHeight = 0;
    std::vector<unsigned char> image; // RGBA, from the bottom row up
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

void drawTextBox(const std::vector<std::string>& lines, int marked, PixelBox box, int width, int height, float pixels)
{
    const SavedView saved = enterWindowPixels(width, height);
    DrawnBox& drawn = drawnAt(box);
    const int bottom = height - box.top - box.height;
    if (drawn.lines == lines && drawn.marked == marked && drawn.scale == drawScale && drawn.pixels == pixels &&
        drawn.windowHeight == height && !drawn.image.empty() &&
        drawn.box.width == box.width && drawn.box.height == box.height && bottom >= 0) {
        glRasterPos2i(box.left, bottom);
        glDrawPixels(box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, drawn.image.data());
        leaveWindowPixels(saved);
        return;
    }
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    const int lineHeight = lineHeightFor(pixels);
    int baseline = box.top + firstBaselineFor(pixels); // from the window's top
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const std::size_t start = std::min(lines[i].find_first_not_of(" >0123456789"), lines[i].size());
        for (const std::string& row : wrap(lines[i], box.width, start + 2, pixels)) {
            if (baseline + 4 > box.top + box.height)
                break;
            const int y = height - baseline; // GL's, from the bottom
            if (i == marked) {
                setColor(colorBlue);
                const int below = pixels > 0 ? static_cast<int>(lineHeight - pixels * sizedMetrics().ascent) : 5;
                glRecti(box.left + 4, y - below, box.left + box.width - 4, y + lineHeight - below);
                setColor(colorWhite);
            }
            drawRow(row, box.left + 10, y, pixels); // the raster position takes the colour
            glColor4fv(color);
            baseline += lineHeight;
        }
    }
    drawn = DrawnBox{lines, marked, drawScale, pixels, box, height, {}};
    if (bottom >= 0 && box.width > 0 && box.height > 0) {
        drawn.image.resize(4 * static_cast<std::size_t>(box.width) * static_cast<std::size_t>(box.height));
        glReadPixels(box.left, bottom, box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, drawn.image.data());
    }
    leaveWindowPixels(saved);
}
