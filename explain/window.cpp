#include "explain/window.hpp"

#include "viewer/offscreen.hpp"
#include "viewer/png.hpp"
#include "viewer/scalable_font.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int timerGeneration = 0; // a timer of an earlier generation does nothing
bool windowOpen = false; // set once the window takes the keys
bool textBeside = false; // the window draws the texts in the band and the column (the page has its own)

// The window: the picture, with a band above it for the player's line and the step's text (4 rows
// of the 9 x 15 font), and a column at its right for the listing, the keys and the legend. In
// projector mode, for a hall, the texts are a share of the window's height (the step's 3.2%, the
// listing's and the legend's 2.2%): the band holds 3 rows, the column 45% of the width, and the
// legend goes across the bottom, in two columns of 8 rows; the picture takes the rest.
constexpr int windowWidth = 1180;
constexpr int windowHeight = 740;
constexpr int bandHeight = 82;
constexpr int columnWidth = 567; // about 60 characters a row
constexpr float hallBandText = 0.032f, hallSideText = 0.022f, hallColumn = 0.45f;
constexpr int hallBandRows = 3, hallFootRows = 8;

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

// The room of the texts for the window's size.
void keepTextRoom(int width, int height)
{
    const bool hall = largeShown();
    textBandPixels = hall ? hallBandText * static_cast<float>(height) : 0;
    textSidePixels = hall ? hallSideText * static_cast<float>(height) : 0;
    textBandHeight = hall ? static_cast<int>(std::lround(textBandPixels * (1.25f * hallBandRows + 0.5f))) : bandHeight;
    textColumnWidth = hall ? static_cast<int>(std::lround(hallColumn * static_cast<float>(width))) : columnWidth;
    textFootHeight = hall ? static_cast<int>(std::lround(textSidePixels * (1.25f * hallFootRows + 0.5f))) : 0;
}

// A reshape clears the navigation, and frames the call again when following.
void onWindowReshape(int width, int height)
{
    if (textBeside)
        keepTextRoom(width, height);
    onReshape(width, height);
    if (following() && !viewSteps().empty())
        frame(callBox(viewSteps()[stepPlayer().current]));
}

// The window as it shows the step, a slide: closest-slide-K.png in the working directory.
void saveSlide(std::size_t step)
{
    int width = 0, height = 0;
    const std::vector<unsigned char> rgb = windowPixels(width, height);
    const std::string name = "closest-slide-" + std::to_string(step) + ".png";
    const bool saved = writePng(name, width, height, rgb);
    glutPostRedisplay();
    std::fprintf(stderr, "%s\n", explainMessage((saved ? "saved " : "cannot write ") + name).c_str());
}

// The band and the column for the text's size, and the marks' size.
void resize()
{
    drawScale = stepDrawScale();
    if (windowOpen && textBeside)
        onWindowReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

// The view at the options' step, before the window (whose camera sees the records), with the texts
// beside the picture in their room for its size.
template <class Point>
void beginWindowView(const ClosestPairRun<Point>& run, std::vector<Step> all, const ExplainOptions& options,
                     int width, int height)
{
    beginStepView(run, std::move(all), static_cast<std::size_t>(options.step.value_or(1) - 1), options.language,
                  options.digits);
    textBeside = true;
    keepTextRoom(width, height);
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
    stepViewHooks.slide = saveSlide;
    resize();
}

template <class Point>
void showSteps(const ClosestPairRun<Point>& run, std::vector<Step> all, const ExplainOptions& options, char* program)
{
    int argc = 1;
    char* argv[] = {program, nullptr};
    beginWindowView(run, std::move(all), options, windowWidth, windowHeight);
    openViewer(argc, argv, windowWidth, windowHeight);
    takeStepKeys();
    glutMainLoop();
    std::exit(0);
}

template <class Point>
std::string drawSlide(const ClosestPairRun<Point>& run, std::vector<Step> all, const ExplainOptions& options)
{
    std::string why;
    if (!scalableFontReady(&why))
        return why;
    setLarge(true);
    drawScale = stepDrawScale();
    beginWindowView(run, std::move(all), options, slideWidth, slideHeight);
    why = openOffscreenFrame(slideWidth, slideHeight);
    if (!why.empty())
        return "cannot draw without a display: " + why;
    int width = 0, height = 0;
    const std::vector<unsigned char> rgb = windowPixels(width, height);
    return writePng(*options.slide, width, height, rgb) ? "" : "cannot write " + *options.slide;
}

template void showSteps(const ClosestPairRun<Point2>&, std::vector<Step>, const ExplainOptions&, char*);
template void showSteps(const ClosestPairRun<Point3>&, std::vector<Step>, const ExplainOptions&, char*);
template std::string drawSlide(const ClosestPairRun<Point2>&, std::vector<Step>, const ExplainOptions&);
template std::string drawSlide(const ClosestPairRun<Point3>&, std::vector<Step>, const ExplainOptions&);
