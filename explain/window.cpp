#include "explain/window.hpp"

#include "explain/picture.hpp"
#include "explain/step_text.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <algorithm>
#include <cstdlib>

std::function<void(const StepPlayer&)> onStepShown;

namespace {

std::vector<Step> steps;                            // every step of the run, the end last
std::vector<long long> distances;                   // computed by the search once each step is done
StepPlayer player;                                  // the step shown, playing or not
ExplainLayout layout;                               // where the records are drawn
std::function<std::string(const Step&)> describe;   // a step in words
Language language = Language::sr;                   // of the texts
int timerGeneration = 0;                            // a timer of an earlier generation does nothing
bool windowOpen = false;                            // set once the window takes the keys

// The scene's picture and text for the step shown, drawn with the window's next frame.
void showCurrent()
{
    showPicture(pictureOf(layout, steps[player.current]));
    sceneText = {playerLine(), describe(steps[player.current]),
                 stepKeysHelp(language)};
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
    if (steps.empty())
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

const StepPlayer& stepPlayer() { return player; }
const std::vector<Step>& viewSteps() { return steps; }

template <class Point>
void beginStepView(const ClosestPairRun<Point>& run, std::vector<Step> all, std::size_t start, Language in)
{
    steps = std::move(all);
    distances = distancesSoFar(steps);
    language = in;
    describe = [&run](const Step& step) { return describeStep(run, step, language); };
    layout = layoutOf(run);
    sceneVertices = std::move(layout.vertices); // the pictures need only the records
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
}

template <class Point>
void showSteps(const ClosestPairRun<Point>& run, std::vector<Step> all, const ExplainOptions& options, char* program)
{
    int argc = 1;
    char* argv[] = {program, nullptr};
    // Before the window, whose camera sees the records.
    beginStepView(run, std::move(all), static_cast<std::size_t>(options.step.value_or(1) - 1), options.language);
    openViewer(argc, argv);
    takeStepKeys();
    glutMainLoop();
    std::exit(0);
}

template void beginStepView(const ClosestPairRun<Point2>&, std::vector<Step>, std::size_t, Language);
template void beginStepView(const ClosestPairRun<Point3>&, std::vector<Step>, std::size_t, Language);
template void showSteps(const ClosestPairRun<Point2>&, std::vector<Step>, const ExplainOptions&, char*);
template void showSteps(const ClosestPairRun<Point3>&, std::vector<Step>, const ExplainOptions&, char*);
