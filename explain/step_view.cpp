#include "explain/step_view.hpp"

#include "explain/calls.hpp"
#include "explain/legend.hpp"
#include "explain/listing.hpp"
#include "explain/step_text.hpp"
#include "run/format.hpp"

#include <algorithm>
#include <cmath>

StepViewHooks stepViewHooks;

namespace {

std::vector<Step> steps;                          // every step of the run, the end last
std::vector<long long> distances;                 // computed by the search once each step is done
StepPlayer player;                                // the step shown, playing or not
ExplainLayout layout;                             // where the records are drawn
std::function<std::string(const Step&)> describe; // a step in words
Language language = Language::sr;                 // of the texts
bool follow = false;                              // the view framed on each step's call
bool legend = true;                               // the picture's legend beside the listing
bool large = false;                               // projector mode
bool tree = false;                                // the calls as a tree in place of the listing
std::vector<CallNode> calls;                      // the steps' calls, for the tree
int digits = 0;                                   // of the texts' numbers
float screenScale = 1;                            // screen pixels to the pixel the palette's sizes are meant for
std::vector<std::string> legendShownLines;        // the legend of the step shown, its title first

void redraw()
{
    if (stepViewHooks.redraw)
        stepViewHooks.redraw();
}

void frame(const std::optional<ViewBox>& box)
{
    if (stepViewHooks.frame)
        stepViewHooks.frame(box);
}

// The scene's picture and texts for the step shown, drawn with the next frame.
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
    sceneFootText = large && legend ? legendShownLines : std::vector<std::string>{}; // under the picture
    if (follow)
        frame(callBox(step));
    if (stepViewHooks.shown)
        stepViewHooks.shown(player);
    redraw();
}

} // namespace

template <class Point>
void beginStepView(const ClosestPairRun<Point>& run, std::vector<Step> all, std::size_t start, Language in, int digits)
{
    steps = std::move(all);
    distances = distancesSoFar(steps);
    language = in;
    // The window's bitmap font has ASCII alone: a rounded number is marked with "~".
    ::digits = digits;
    calls = callTree(steps);
    describe = [&run, digits](const Step& step) {
        return describeStep(run, step, language, {digits, asciiRoundedMark});
    };
    layout = layoutOf(run);
    sceneVertices = layout.vertices; // the pictures mark the records on a split line by them too
    ++sceneVerticesVersion;
    player.current = std::min(start, steps.size() - 1);
    player.playing = false;
    showCurrent();
}

void endStepView()
{
    steps.clear();
    distances.clear();
    calls.clear();
    player = StepPlayer{};
}

void pressKey(StepKey key)
{
    if (key == StepKey::slide) {
        if (stepViewHooks.slide && !steps.empty())
            stepViewHooks.slide(player.current + 1);
        return;
    }
    if (key == StepKey::present) { // the window's present mode is projector mode
        stepViewHooks.present ? stepViewHooks.present() : setLarge(!large);
        return;
    }
    if (key == StepKey::follow || key == StepKey::legend || key == StepKey::large) {
        key == StepKey::follow ? setFollow(!follow) : key == StepKey::legend ? setLegend(!legend) : setLarge(!large);
        return;
    }
    if (key == StepKey::tree) {
        tree = !tree;
        if (!steps.empty())
            showCurrent();
        return;
    }
    if (steps.empty() || (stepViewHooks.takesKey && !stepViewHooks.takesKey(key)))
        return;
    const bool wasPlaying = player.playing;
    pressStepKey(player, steps, key);
    if (player.playing && !wasPlaying && stepViewHooks.play)
        stepViewHooks.play();
    showCurrent();
}

bool playNext()
{
    if (steps.empty())
        return false;
    if (stepViewHooks.takesKey && !stepViewHooks.takesKey(StepKey::next))
        player.playing = false;
    else
        playStep(player, steps);
    showCurrent();
    return player.playing;
}

void showQuestion(const Step& step, const std::vector<int>& chosen, int cursor)
{
    showPicture(questionPictureOf(layout, step, chosen, cursor));
    if (follow)
        frame(callBox(step));
    redraw();
}

void goToStep(std::size_t index)
{
    if (steps.empty())
        return;
    player.current = std::min(index, steps.size() - 1);
    showCurrent();
}

const std::vector<CallNode>& viewCalls() { return calls; }

bool treeShown() { return tree; }

void setStepLanguage(Language in)
{
    language = in;
    if (!steps.empty())
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
    frame(follow ? std::optional(callBox(steps[player.current])) : std::nullopt);
    redraw();
}

bool following() { return follow; }

ViewBox callBox(const Step& step)
{
    const CallRecords call = callOf(step);
    ViewBox box{{sceneExtent.max.x, sceneExtent.max.y}, {sceneExtent.min.x, sceneExtent.min.y}, layout.lowZ};
    for (int i = call.begin; i < call.begin + call.count; ++i) {
        const float* v = &sceneVertices[3 * static_cast<std::size_t>(i)];
        for (int k = 0; k < 2; ++k) {
            box.low[k] = std::min(box.low[k], v[k]);
            box.high[k] = std::max(box.high[k], v[k]);
        }
        box.nearZ = std::max(box.nearZ, v[2]);
    }
    const auto widen = [&](const SplitCall& split, const Strip& strip) {
        const ScenePlacement& at = layout.placement;
        const double middle = (split.mx - at.origin[0]) * at.scale, half = std::sqrt(strip.widthSquared) * at.scale;
        box.low[0] = std::max(std::min(box.low[0], static_cast<float>(middle - half)), sceneExtent.min.x);
        box.high[0] = std::min(std::max(box.high[0], static_cast<float>(middle + half)), sceneExtent.max.x);
    };
    if (const auto* s = std::get_if<StripStep>(&step))
        widen(s->call, s->strip);
    else if (const auto* c = std::get_if<CompareStep>(&step))
        widen(c->call, c->strip);
    return box;
}

void setLegend(bool on)
{
    legend = on;
    if (!steps.empty())
        showCurrent();
}

const std::vector<std::string>& stepLegend() { return legendShownLines; }

void setLarge(bool on)
{
    large = on;
    if (stepViewHooks.resize)
        stepViewHooks.resize();
    if (!steps.empty())
        showCurrent(); // the legend moves under the picture, or back
    else
        redraw();
}

bool largeShown() { return large; }

void setScreenScale(float scale)
{
    screenScale = scale > 0 && std::isfinite(scale) ? scale : 1;
    setLarge(large);
}

float stepDrawScale() { return screenScale * (large ? largeScale : 1); }

std::vector<std::string> sideText(int marked)
{
    std::vector<std::string> lines;
    const std::vector<std::string>& listing = listingLines(language);
    if (tree && !steps.empty()) { // as many lines as the listing's, the current call marked
        const int at = callAt(calls, player.current);
        for (const int c : unfoldedCalls(calls, at, listing.size()))
            lines.push_back((c == at ? "> " : "  ") + treeLine(calls[static_cast<std::size_t>(c)], language,
                                                               {digits, asciiRoundedMark}, player.current));
    }
    for (int i = 0; i < static_cast<int>(listing.size()) && !(tree && !steps.empty()); ++i)
        lines.push_back(printfText("%c%3d %s", i + 1 == marked ? '>' : ' ', i + 1, listing[i].c_str()));
    if (large) // in projector mode the legend goes under the picture, and the keys are known
        return lines;
    lines.emplace_back();
    lines.push_back(stepKeysHelp(language));
    if (legend) {
        lines.emplace_back();
        lines.insert(lines.end(), legendShownLines.begin(), legendShownLines.end());
    }
    return lines;
}

ScenePlacement stepPlacement() { return steps.empty() ? ScenePlacement{} : layout.placement; }

const StepPlayer& stepPlayer() { return player; }
const std::vector<Step>& viewSteps() { return steps; }

template void beginStepView(const ClosestPairRun<Point2>&, std::vector<Step>, std::size_t, Language, int);
template void beginStepView(const ClosestPairRun<Point3>&, std::vector<Step>, std::size_t, Language, int);
