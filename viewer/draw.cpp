// Drawing the scene: the point runs, circles, lines, segments, then points, so later primitives
// cover earlier ones (no depth test), and the text last: over the picture, or in the band at the
// top and the column at the right where the window keeps them. Every frame re-sends everything:
// the runs from their vertex array, the rest in immediate mode.
#include "viewer/platform.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <cmath>
#include <numbers>

namespace {

struct Rgb {
    float r, g, b;
};

// By colour code, in the order scene.hpp names them.
constexpr Rgb colorTable[] = {
    {1, 0, 0},       // colorRed
    {0, 1, 0},       // colorGreen
    {0, 0, 1},       // colorBlue
    {1, 1, 0},       // colorYellow
    {1, 0.5f, 0},    // colorOrange
    {1, 0, 1},       // colorMagenta
    {0, 1, 1},       // colorCyan
    {0.5f, 0, 0.5f}, // colorPurple
    {1, 1, 1},       // colorWhite
    {0, 0, 0},       // colorBlack
};
static_assert(std::size(colorTable) == colorCount);

void vertex(const ScenePoint& p) { glVertex3f(p.x, p.y, p.z); }


} // namespace

// A code outside the table sets nothing: the colour last set carries over, even across frames.
void setColor(int code)
{
    if (code < 0 || code >= static_cast<int>(std::size(colorTable)))
        return;
    const Rgb& c = colorTable[code];
    glColor3f(c.r, c.g, c.b);
}

namespace {

// A line with a dot at each end, all in the segment's own colour.
void drawSegment(const SceneSegment& segment)
{
    glPointSize(pointSize);
    setColor(segment.color);
    glBegin(GL_LINES);
    vertex(segment.a);
    vertex(segment.b);
    glEnd();
    glBegin(GL_POINTS);
    vertex(segment.a);
    vertex(segment.b);
    glEnd();
}

// From origin + 100 * direction to origin - 100 * direction; the direction is not normalised.
void drawLine(const SceneLine& line)
{
    const ScenePoint& o = line.origin;
    const ScenePoint& d = line.direction;
    const double reach = sceneLineReach;
    setColor(line.color);
    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(o.x + d.x * reach), static_cast<float>(o.y + d.y * reach),
               static_cast<float>(o.z + d.z * reach));
    glVertex3f(static_cast<float>(o.x - d.x * reach), static_cast<float>(o.y - d.y * reach),
               static_cast<float>(o.z - d.z * reach));
    glEnd();
}

// A 100-vertex loop in the plane z = center.z, counter-clockwise seen from +z.
void drawCircle(const SceneCircle& circle)
{
    setColor(circle.color);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 100; ++i) {
        const double theta = static_cast<float>(i * 2 * std::numbers::pi / 100);
        const float cosine = static_cast<float>(std::cos(theta));
        const float sine = static_cast<float>(std::sin(theta));
        glVertex3f(circle.center.x + circle.radius * cosine, circle.center.y + circle.radius * sine,
                   circle.center.z);
    }
    glEnd();
}

// Each run in its colour, all from one vertex array.
void drawPointRuns()
{
    if (scenePointRuns.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    // The stride said outright: emscripten's GL emulation takes a stride of 0 for separate arrays
    // and copies the vertices one by one on every draw.
    glVertexPointer(3, GL_FLOAT, 3 * sizeof(float), sceneVertices.data());
    glPointSize(pointSize);
    for (const ScenePointRun& run : scenePointRuns) {
        if (run.count <= 0)
            continue;
        setColor(run.color);
        glDrawArrays(GL_POINTS, run.first, run.count);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

// The text in the band at the top, and the side text in the column at the right below it.
void drawBesideText()
{
    const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    setColor(colorBlack);
    drawTextBox(sceneText, -1, {0, 0, width, textBandHeight}, width, height);
    drawTextBox(sceneSideText, sceneSideMarked,
                {width - textColumnWidth, textBandHeight, textColumnWidth, height - textBandHeight}, width, height);
}

// One frame into the back buffer.
void drawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Beside text, the picture keeps to its viewport: a dot at its edge spills over no text.
    const bool besideText = textBandHeight > 0 || textColumnWidth > 0;
    if (besideText) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glScissor(viewport[0], viewport[1], viewport[2], viewport[3]);
        glEnable(GL_SCISSOR_TEST);
    }
    glPushMatrix();
    drawPointRuns();
    for (const SceneCircle& circle : sceneCircles)
        drawCircle(circle);
    for (const SceneLine& line : sceneLines)
        drawLine(line);
    for (const SceneSegment& segment : sceneSegments)
        drawSegment(segment);
    for (const ScenePoint& point : scenePoints) {
        setColor(point.color);
        glPointSize(pointSize);
        glBegin(GL_POINTS);
        vertex(point);
        glEnd();
    }
    glPopMatrix();
    if (besideText) {
        glDisable(GL_SCISSOR_TEST);
        drawBesideText();
    } else if (!sceneText.empty()) {
        setColor(colorBlack);
        drawTextLines(sceneText, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    }
    glFlush();
}

} // namespace

void onDisplay()
{
    drawScene();
    glutSwapBuffers();
}
