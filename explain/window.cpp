#include "explain/window.hpp"

#include "explain/legend.hpp"
#include "explain/listing.hpp"
#include "explain/picture.hpp"
#include "explain/step_text.hpp"
#include "run/format.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <variant>

std::function<void(const StepPlayer&)> onStepShown;
std::function<bool(StepKey)> takesStepKey;

namespace {

std::vector<Step> steps;                            // every step of the run, the end last
std::vector<long long> distances;                   // computed by the search once each step is done
StepPlayer player;                                  // the step shown, playing or not
ExplainLayout layout;                               // where the records are drawn
std::function<std::string(const Step&)> describe;   // a step in words
Language language = Language::sr;                   // of the texts
int timerGeneration = 0;                            // a timer of an earlier generation does nothing
bool windowOpen = false;                            // set once the window takes the keys
bool follow = false;                                // the view framed on each step's call
bool legend = true;                                 // the picture's legend in the column
std::vector<std::string> legendShownLines;          // the legend of the step shown, its title first

// closest_explain's window: the picture, with a band above it for the player's line and the step's
// text (4 rows of the 9 x 15 font), and a column at its right for the listing and the keys. In
// projector mode the records and lines are drawn twice as large and the text in Helvetica 18 (rows
// of 24 pixels): the band and the column grow to hold as much, and the picture shrinks.
constexpr int windowWidth = 1180;
constexpr int windowHeight = 740;
constexpr int bandHeight = 82, largeBandHeight = 106;
constexpr int columnWidth = 567, largeColumnWidth = 640; // about 60 characters a row
constexpr float largeScale = 2;
bool large = false;      // projector mode
float screenScale = 1;   // screen pixels to the pixel the palette's sizes are meant for
bool textBeside = false; // the window draws the texts in the band and the column (the page has its own)

// The f, l and z keys' help, by language.
constexpr const char* switchesHelp[] = {"f, l, z: prati poziv, legenda, krupno (ukljuci, iskljuci)",
                                        "f, l, z: follow the call, the legend, large (on, off)"};

// The listing, numbered, with > at the step's line; a blank line; the keys; with the legend on, a
// blank line and the legend.
std::vector<std::string> sideText(int marked)
{
    std::vector<std::string> lines;
    const std::vector<std::string>& listing = listingLines(language);
    for (int i = 0; i < static_cast<int>(listing.size()); ++i)
        lines.push_back(printfText("%c%3d %s", i + 1 == marked ? '>' : ' ', i + 1, listing[i].c_str()));
    lines.emplace_back();
    lines.push_back(stepKeysHelp(language));
    lines.emplace_back(switchesHelp[static_cast<int>(language)]);
    if (legend) {
        lines.emplace_back();
        lines.insert(lines.end(), legendShownLines.begin(), legendShownLines.end());
    }
    return lines;
}

// Frames the view on the step's call: the box of its placed records, widened to its strip's edges
// within the set (sceneVertices holds the placed records in x order).
void frameCall(const Step& step)
{
    const CallRecords call = callOf(step);
    float low[3] = {sceneExtent.max.x, sceneExtent.max.y, layout.lowZ};
    float high[3] = {sceneExtent.min.x, sceneExtent.min.y, layout.lowZ};
    for (int i = call.begin; i < call.begin + call.count; ++i)
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], sceneVertices[3 * static_cast<std::size_t>(i) + k]);
            high[k] = std::max(high[k], sceneVertices[3 * static_cast<std::size_t>(i) + k]);
        }
    const auto widen = [&](const SplitCall& split, const Strip& strip) {
        const ScenePlacement& at = layout.placement;
        const double middle = (split.mx - at.origin[0]) * at.scale, half = std::sqrt(strip.widthSquared) * at.scale;
        low[0] = std::max(std::min(low[0], static_cast<float>(middle - half)), sceneExtent.min.x);
        high[0] = std::min(std::max(high[0], static_cast<float>(middle + half)), sceneExtent.max.x);
    };
    if (const auto* s = std::get_if<StripStep>(&step))
        widen(s->call, s->strip);
    else if (const auto* c = std::get_if<CompareStep>(&step))
        widen(c->call, c->strip);
    lookAtBox(low[0], low[1], high[0], high[1], high[2]);
}

// The scene's picture and text for the step shown, drawn with the window's next frame.
void showCurrent()
{
    const Step& step = steps[player.current];
    const StepPicture picture = pictureOf(layout, step);
    showPicture(picture);
    legendShownLines = legendLines(picture, language);
    legendShownLines.insert(legendShownLines.begin(), legendTitle(language));
    sceneText = {playerLine(), describe(step)};
    sceneSideText = sideText(listingLine(step));
    sceneSideMarked = listingLine(step) - 1;
    if (follow)
        frameCall(step);
    if (onStepShown)
        onStepShown(player);
    if (windowOpen)
        glutPostRedisplay();
}

void onTimer(int generation);

void schedule() { glutTimerFunc(static_cast<unsigned>(1000 / player.stepsPerSecond), onTimer, ++timerGeneration); }

void onTimer(int generation)
{
    if (!player.playing || generation != timerGeneration)
        return;
    if (takesStepKey && !takesStepKey(StepKey::next))
        player.playing = false;
    else
        playStep(player, steps);
    showCurrent();
    if (player.playing)
        schedule();
}

void onKeyboard(unsigned char key, int, int)
{
    if (key == ' ')
        pressKey(StepKey::next);
    else if (key == 8 || key == 127)
        pressKey(StepKey::previous);
    else if (key == 'p')
        pressKey(StepKey::playOrPause);
    else if (key == '+' || key == '=')
        pressKey(StepKey::faster);
    else if (key == '-')
        pressKey(StepKey::slower);
    else if (key == 'f')
        setFollow(!follow);
    else if (key == 'l')
        setLegend(!legend);
    else if (key == 'z')
        setLarge(!large);
}

// A reshape clears the navigation, and frames the call again when following.
void onWindowReshape(int width, int height)
{
    onReshape(width, height);
    if (follow && !steps.empty())
        frameCall(steps[player.current]);
}

// The band and the column for the text's size.
void keepTextRoom()
{
    textBandHeight = large ? largeBandHeight : bandHeight;
    textColumnWidth = large ? largeColumnWidth : columnWidth;
}

void onSpecialKey(int key, int, int)
{
    if (key == GLUT_KEY_RIGHT)
        pressKey(StepKey::next);
    else if (key == GLUT_KEY_LEFT)
        pressKey(StepKey::previous);
    else if (key == GLUT_KEY_PAGE_DOWN)
        pressKey(StepKey::nextCall);
    else if (key == GLUT_KEY_PAGE_UP)
        pressKey(StepKey::previousCall);
    else if (key == GLUT_KEY_HOME)
        pressKey(StepKey::first);
    else if (key == GLUT_KEY_END)
        pressKey(StepKey::last);
}

} // namespace

void pressKey(StepKey key)
{
    if (steps.empty() || (takesStepKey && !takesStepKey(key)))
        return;
    const bool wasPlaying = player.playing;
    pressStepKey(player, steps, key);
    if (player.playing && !wasPlaying)
        schedule();
    showCurrent();
}

std::string playerLine()
{
    return playerHeader(player, steps.size(), distances[player.current], allPairs(steps), language);
}

void setFollow(bool on)
{
    follow = on;
    if (steps.empty())
        return;
    if (follow)
        frameCall(steps[player.current]);
    else
        lookAtScene();
    if (windowOpen)
        glutPostRedisplay();
}

bool following() { return follow; }

void setLegend(bool on)
{
    legend = on;
    if (!steps.empty())
        showCurrent();
}

bool legendShown() { return legend; }

void setLarge(bool on)
{
    large = on;
    drawScale = screenScale * (large ? largeScale : 1);
    if (!windowOpen)
        return;
    if (textBeside) { // the picture's viewport changes with the band and the column
        keepTextRoom();
        onWindowReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    }
    glutPostRedisplay();
}

bool largeShown() { return large; }

void setScreenScale(float scale)
{
    screenScale = scale > 0 && std::isfinite(scale) ? scale : 1;
    setLarge(large);
}

const std::vector<std::string>& stepLegend() { return legendShownLines; }

const StepPlayer& stepPlayer() { return player; }
const std::vector<Step>& viewSteps() { return steps; }

template <class Point>
void beginStepView(const ClosestPairRun<Point>& run, std::vector<Step> all, std::size_t start, Language in, int digits)
{
    steps = std::move(all);
    distances = distancesSoFar(steps);
    language = in;
    // The bitmap font has ASCII alone: a rounded number is marked with "~".
    describe = [&run, digits](const Step& step) {
        return describeStep(run, step, language, {digits, asciiRoundedMark});
    };
    layout = layoutOf(run);
    sceneVertices = std::move(layout.vertices); // the pictures need only the records
    ++sceneVerticesVersion;
    player.current = std::min(start, steps.size() - 1);
    player.playing = false;
    ++timerGeneration;
    showCurrent();
}

void setStepLanguage(Language in)
{
    language = in;
    if (!steps.empty())
        showCurrent();
}

ScenePlacement stepPlacement() { return steps.empty() ? ScenePlacement{} : layout.placement; }

void endStepView()
{
    steps.clear();
    distances.clear();
    player = StepPlayer{};
    ++timerGeneration;
}

void takeStepKeys()
{
    windowOpen = true;
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutReshapeFunc(onWindowReshape);
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
    keepTextRoom();
    openViewer(argc, argv, windowWidth, windowHeight);
    takeStepKeys();
    glutMainLoop();
    std::exit(0);
}

template void beginStepView(const ClosestPairRun<Point2>&, std::vector<Step>, std::size_t, Language, int);
template void beginStepView(const ClosestPairRun<Point3>&, std::vector<Step>, std::size_t, Language, int);
template void showSteps(const ClosestPairRun<Point2>&, std::vector<Step>, const ExplainOptions&, char*);
template void showSteps(const ClosestPairRun<Point3>&, std::vector<Step>, const ExplainOptions&, char*);
