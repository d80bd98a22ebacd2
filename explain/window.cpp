#include "explain/window.hpp"

#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <cstdlib>

namespace {

int timerGeneration = 0; // a timer of an earlier generation does nothing
bool windowOpen = false; // set once the window takes the keys
bool textBeside = false; // the window draws the texts in the band and the column (the page has its own)

// The window: the picture, with a band above it for the player's line and the step's text (4 rows
// of the 9 x 15 font), and a column at its right for the listing, the keys and the legend. In
// projector mode the text is in Helvetica 18 (rows of 24 pixels): the band and the column grow to
// hold as much, and the picture shrinks.
constexpr int windowWidth = 1180;
constexpr int windowHeight = 740;
constexpr int bandHeight = 82, largeBandHeight = 106;
constexpr int columnWidth = 567, largeColumnWidth = 640; // about 60 characters a row

static_assert(glutLeft == GLUT_KEY_LEFT && glutRight == GLUT_KEY_RIGHT && glutPageUp == GLUT_KEY_PAGE_UP &&
              glutPageDown == GLUT_KEY_PAGE_DOWN && glutHome == GLUT_KEY_HOME && glutEnd == GLUT_KEY_END);

void onTimer(int generation);

void schedule()
{
    glutTimerFunc(static_cast<unsigned>(1000 / stepPlayer().stepsPerSecond), onTimer, ++timerGeneration);
}

void onTimer(int generation)
{
    if (stepPlayer().playing && generation == timerGeneration && playNext())
        schedule();
}

void press(int code, bool special)
{
    if (const KeyRow* row = keyOf(code, special, largeShown()))
        pressKey(row->key);
}

void onKeyboard(unsigned char key, int, int) { press(key, false); }
void onSpecialKey(int key, int, int) { press(key, true); }

void frame(const std::optional<ViewBox>& box)
{
    if (box)
        lookAtBox(box->low[0], box->low[1], box->high[0], box->high[1], box->nearZ);
    else
        lookAtScene();
}

// A reshape clears the navigation, and frames the call again when following.
void onWindowReshape(int width, int height)
{
    onReshape(width, height);
    if (following() && !viewSteps().empty())
        frame(callBox(viewSteps()[stepPlayer().current]));
}

// The band and the column for the text's size, and the marks' size.
void resize()
{
    drawScale = stepDrawScale();
    if (!windowOpen || !textBeside)
        return;
    textBandHeight = largeShown() ? largeBandHeight : bandHeight;
    textColumnWidth = largeShown() ? largeColumnWidth : columnWidth;
    onWindowReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

} // namespace

void takeStepKeys()
{
    windowOpen = true;
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutReshapeFunc(onWindowReshape);
    stepViewHooks.frame = frame;
    stepViewHooks.redraw = [] { glutPostRedisplay(); };
    stepViewHooks.play = schedule;
    stepViewHooks.resize = resize;
    resize();
}

template <class Point>
void showSteps(const ClosestPairRun<Point>& run, std::vector<Step> all, const ExplainOptions& options, char* program)
{
    int argc = 1;
    char* argv[] = {program, nullptr};
    // Before the window, whose camera sees the records.
    beginStepView(run, std::move(all), static_cast<std::size_t>(options.step.value_or(1) - 1), options.language,
                  options.digits);
    textBeside = true;
    textBandHeight = bandHeight;
    textColumnWidth = columnWidth;
    openViewer(argc, argv, windowWidth, windowHeight);
    takeStepKeys();
    glutMainLoop();
    std::exit(0);
}

template void showSteps(const ClosestPairRun<Point2>&, std::vector<Step>, const ExplainOptions&, char*);
template void showSteps(const ClosestPairRun<Point3>&, std::vector<Step>, const ExplainOptions&, char*);
