#include "programs/explain_window.hpp"

#include "viewer/viewer.hpp"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace {

std::vector<Step> steps;                           // every step of the run, the end last
std::size_t current = 0;                           // the step shown
std::vector<ScenePoint> records;                   // every record, in record order
std::vector<float> vertices;                       // x, y, z of every record, in x order
std::function<std::string(const Step&)> describe;  // a step in words
float lowZ = 0, highZ = 0;                         // the set's z range (0 in 2D)
double originX = 0, originY = 0, originZ = 0;     // the world point drawn at (0, 0, 0)
double scale = 1;                                  // drawing units per world unit
float middleY = 0;                                 // where vertical scene lines have their origin
float lineReach = 1;                               // they reach 100 times this either way
bool playing = false;                              // p plays the steps at stepsPerSecond
double stepsPerSecond = 4;
int timerGeneration = 0;                           // a timer of an earlier generation does nothing

// Colour codes of the viewer's table.
constexpr ColorCode red = 0, green = 1, blue = 2, orange = 4, magenta = 5, white = 8, black = 9;

// The line x = value (world) at z = 0 in 2D; in 3D the plane x = value, as its edges at the
// set's nearest and farthest z.
void verticalLine(double x, ColorCode color)
{
    for (float z : {lowZ, highZ}) {
        sceneLines.push_back({{static_cast<float>((x - originX) * scale), middleY, z}, {0, lineReach, 0}, color});
        if (highZ == lowZ)
            break;
    }
}

void pairSegment(int a, int b, ColorCode color)
{
    if (a >= 0 && b >= 0)
        sceneSegments.push_back({records[a], records[b], color});
}

void fillScene(const Step& s)
{
    sceneSegments.clear();
    sceneLines.clear();
    sceneCircles.clear();
    if (s.kind == StepKind::split || s.kind == StepKind::combine || s.kind == StepKind::strip ||
        s.kind == StepKind::compare)
        verticalLine(s.mx, magenta);
    if (s.kind == StepKind::strip || s.kind == StepKind::compare) {
        verticalLine(s.mx - std::sqrt(s.strip), blue);
        verticalLine(s.mx + std::sqrt(s.strip), blue);
    }
    switch (s.kind) {
    case StepKind::combine:
        pairSegment(s.first, s.second, blue);
        pairSegment(s.third, s.fourth, green);
        if (s.other < s.best)
            pairSegment(s.third, s.fourth, red);
        else
            pairSegment(s.first, s.second, red);
        break;
    case StepKind::compare:
        if (s.best < s.other) { // the new best pair, and the circle of its distance about the left record
            pairSegment(s.first, s.second, red);
            sceneCircles.push_back({records[s.first], static_cast<float>(std::sqrt(s.best) * scale), red});
        } else {
            pairSegment(s.third, s.fourth, red);
            pairSegment(s.first, s.second, orange);
        }
        break;
    case StepKind::split:
        break;
    default:
        pairSegment(s.first, s.second, red);
    }
}

void drawRange(ColorCode color, int first, int count)
{
    if (count <= 0)
        return;
    setColor(color);
    glDrawArrays(GL_POINTS, first, count);
}

// Every record faded, the call's records in black, the strip's left and right records apart.
void drawPoints(const Step& s)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glPointSize(pointSize);
    const int count = static_cast<int>(records.size());
    drawRange(s.kind == StepKind::end ? black : white, 0, count);
    if (s.kind != StepKind::end)
        drawRange(black, s.begin, s.count);
    if (s.kind == StepKind::strip || s.kind == StepKind::compare) {
        drawRange(blue, s.begin + s.half - s.leftStrip, s.leftStrip);
        drawRange(green, s.begin + s.half, s.rightStrip);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

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

// The step's number and text in the top left corner, in window pixels, whatever the navigation.
void drawText()
{
    const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    char header[128];
    std::snprintf(header, sizeof header, "Korak %zu od %zu%s, %g koraka u sekundi", current + 1, steps.size(),
                  playing ? ", pusta se" : "", stepsPerSecond);
    std::vector<std::string> lines = wrap(describe(steps[current]), std::max(20, width / 9 - 3));
    lines.insert(lines.begin(), header);
    lines.push_back("Desno ili razmak: napred; Levo ili Backspace: nazad; PgDn, PgUp: poziv; Home, End; "
                    "p: pusti; +, -: brzina");

    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    setColor(black);
    int y = height - 20;
    for (const std::string& line : lines) {
        glRasterPos2i(10, y);
        glutBitmapString(GLUT_BITMAP_9_BY_15, reinterpret_cast<const unsigned char*>(line.c_str()));
        y -= 18;
    }
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(mode);
}

void onExplainDisplay()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    drawPoints(steps[current]); // under the lines and segments, so that those stay visible
    drawCirclesLinesAndSegments();
    glPopMatrix();
    drawText();
    glutSwapBuffers();
}

void onTimer(int generation);
void showStep(long long index);

void schedule() { glutTimerFunc(static_cast<unsigned>(1000 / stepsPerSecond), onTimer, ++timerGeneration); }

void onTimer(int generation)
{
    if (!playing || generation != timerGeneration)
        return;
    showStep(static_cast<long long>(current) + 1);
    playing = current + 1 < steps.size();
    if (playing)
        schedule();
}

// The step where the next (direction 1) or previous (-1) call starts, or the last or first step.
long long nextCall(int direction)
{
    for (long long i = static_cast<long long>(current) + direction; i >= 0 && i < static_cast<long long>(steps.size());
         i += direction)
        if (steps[i].kind == StepKind::split || steps[i].kind == StepKind::leaf)
            return i;
    return direction > 0 ? static_cast<long long>(steps.size()) - 1 : 0;
}

// Moves to steps[index] (clamped to the steps) and fills the scene's segments, lines and circles
// with what it shows.
void showStep(long long index)
{
    current = static_cast<std::size_t>(std::clamp(index, 0LL, static_cast<long long>(steps.size()) - 1));
    fillScene(steps[current]);
    glutPostRedisplay();
}

void onKeyboard(unsigned char key, int, int)
{
    const long long at = static_cast<long long>(current);
    if (key == ' ')
        showStep(at + 1);
    else if (key == 8 || key == 127)
        showStep(at - 1);
    else if (key == 'p' && (playing = !playing))
        schedule();
    else if (key == '+' || key == '=')
        stepsPerSecond = std::min(stepsPerSecond * 2, 512.0);
    else if (key == '-')
        stepsPerSecond = std::max(stepsPerSecond / 2, 0.25);
    glutPostRedisplay();
}

void onSpecialKey(int key, int, int)
{
    const long long at = static_cast<long long>(current);
    if (key == GLUT_KEY_RIGHT)
        showStep(at + 1);
    else if (key == GLUT_KEY_LEFT)
        showStep(at - 1);
    else if (key == GLUT_KEY_PAGE_DOWN)
        showStep(nextCall(1));
    else if (key == GLUT_KEY_PAGE_UP)
        showStep(nextCall(-1));
    else if (key == GLUT_KEY_HOME)
        showStep(0);
    else if (key == GLUT_KEY_END)
        showStep(static_cast<long long>(steps.size()) - 1);
}

} // namespace

template <class Point>
void showSteps(const ClosestPairRun<Point>& run, std::vector<Step> all, std::size_t start, char* program)
{
    steps = std::move(all);
    describe = [&run](const Step& step) { return describeStep(run, step); };
    // The viewer's camera looks at the plane z = 0 from the distance of the scene's x or y span, and
    // sees no farther than 1000 units. So the set is drawn moved and scaled: its smallest x and y
    // at 0, its nearest z in the plane z = 0 (all of it in front of the camera), and its largest
    // span 100 units long. The text keeps the world's numbers.
    double low[3] = {}, high[3] = {};
    for (int i = 0; i < run.count; ++i) {
        const double* c = &run.records[i].x;
        for (int k = 0; k < dimensionOf<Point>; ++k)
            low[k] = i == 0 ? c[k] : std::min(low[k], c[k]), high[k] = i == 0 ? c[k] : std::max(high[k], c[k]);
    }
    originX = low[0], originY = low[1], originZ = high[2];
    const double span = std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
    scale = span > 0 && std::isfinite(100 / span) ? 100 / span : 1;
    records.resize(static_cast<std::size_t>(run.count));
    for (int i = 0; i < run.count; ++i) {
        const Point& p = run.records[i];
        ScenePoint& r = records[i];
        r.x = static_cast<float>((p.x - originX) * scale), r.y = static_cast<float>((p.y - originY) * scale);
        if constexpr (dimensionOf<Point> == 3)
            r.z = static_cast<float>((p.z - originZ) * scale);
        lowZ = i == 0 ? r.z : std::min(lowZ, r.z);
        highZ = i == 0 ? r.z : std::max(highZ, r.z);
        widenSceneExtent(r.x, r.y);
    }
    for (int i = 0; i < run.count; ++i) {
        const ScenePoint& r = records[run.byX[i] - run.records];
        vertices.insert(vertices.end(), {r.x, r.y, r.z});
    }
    middleY = (sceneExtent.min.y + sceneExtent.max.y) / 2;
    lineReach = std::max({sceneExtent.max.x - sceneExtent.min.x, sceneExtent.max.y - sceneExtent.min.y, 1.0f}) / 50;

    int argc = 1;
    char* argv[] = {program, nullptr};
    openViewer(argc, argv);
    glutDisplayFunc(onExplainDisplay);
    glutIdleFunc(onExplainDisplay);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    showStep(static_cast<long long>(start));
    glutMainLoop();
    std::exit(0);
}

template void showSteps(const ClosestPairRun<Point2>&, std::vector<Step>, std::size_t, char*);
template void showSteps(const ClosestPairRun<Point3>&, std::vector<Step>, std::size_t, char*);
