// The page's side of the C++: it opens the viewer on the canvas and answers the page's script,
// which calls the functions below to show a program's set or the user's points, as the programs
// do or step by step as closest_explain does, with the same texts.
#include "explain/limits.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "explain/window.hpp"
#include "programs/point_sets.hpp"
#include "run/report.hpp"
#include "scene/from_records.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <optional>
#include <variant>

namespace {

using AnyRun = std::variant<ClosestPairRun<Point2>, ClosestPairRun<Point3>>;

std::optional<AnyRun> shown; // the set on the canvas
std::string report;          // its report lines
long long seed = -1;         // the seed of its random program, or -1
bool explaining = false;     // steps, or the programs' picture
std::string answer;          // the text a function hands the page, kept until the next call

const char* handOver(std::string text)
{
    answer = std::move(text);
    return answer.c_str();
}

// The report lines, as the programs print them.
template <class Point>
std::string reportOf(ClosestPairRun<Point>& run)
{
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    if (out == nullptr)
        throw std::bad_alloc();
    searchAndReport(run, out, bruteForceMostRecords);
    std::fclose(out);
    std::string lines(text, size);
    std::free(text);
    return lines;
}

int count(const AnyRun& run)
{
    return std::visit([](const auto& r) { return r.count; }, run);
}

bool explainable() { return shown && count(*shown) <= windowMostRecords; }

// Fills the scene with the set as the programs show it, or with its steps from step `start` on,
// and returns to the start-up view.
void showSet(std::size_t start)
{
    clearScene();
    endStepView();
    if (shown)
        std::visit(
            [start](auto& run) {
                if (explaining && run.count <= windowMostRecords)
                    beginStepView(run, recordSteps(run), start);
                else
                    addToScene(run.records, run.count, run.first, run.second);
            },
            *shown);
    resetView();
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutPostRedisplay();
}

// Takes a new run in place of the shown one, reports it and shows it.
template <class Point>
void take(ClosestPairRun<Point> run, std::size_t start)
{
    try {
        report = reportOf(run);
    } catch (...) {
        releaseRun(run);
        throw;
    }
    if (shown)
        std::visit([](auto& old) { releaseRun(old); }, *shown);
    shown = std::move(run);
    showSet(start);
}

// Runs load, and answers "" or closest_explain's message for what it refused.
template <class Load>
const char* refusal(Load load)
{
    try {
        load();
        return handOver("");
    } catch (const OptionError& e) {
        return handOver(std::string("closest_explain: ") + e.what());
    } catch (const std::bad_alloc&) {
        return handOver("closest_explain: out of memory");
    }
}

} // namespace

extern "C" {

// A program's set, as closest_explain --like PROGRAM [--seed SEED] [--step STEP] takes it (an
// empty seed or step is not given); the steps when explain is set.
EMSCRIPTEN_KEEPALIVE const char* pageOpenProgram(const char* program, const char* seedText, const char* stepText,
                                                 int explain)
{
    return refusal([&] {
        std::vector<std::string> args = {"--like", program};
        if (*seedText != '\0')
            args.insert(args.end(), {"--seed", seedText});
        if (*stepText != '\0')
            args.insert(args.end(), {"--step", stepText});
        const ExplainOptions options = parseExplainOptions(args);
        const AnyPointSource source = sourceOf(*options.like, options.seed, static_cast<unsigned>(std::time(nullptr)));
        explaining = explain != 0;
        std::visit(
            [&](const auto& s) {
                ClosestPairRun run = prepareRun(s);
                const long long step = options.step.value_or(1);
                if (explaining && run.count <= windowMostRecords) {
                    const std::size_t total = countSteps(run);
                    if (step > static_cast<long long>(total)) {
                        releaseRun(run);
                        throw OptionError("--step " + std::to_string(step) + ": the steps are 1 to " +
                                          std::to_string(total));
                    }
                }
                seed = s.table == nullptr ? s.seed : -1;
                take(std::move(run), static_cast<std::size_t>(step - 1));
            },
            source);
    });
}

// The user's points, read as closest_explain reads a file of that name.
EMSCRIPTEN_KEEPALIVE const char* pageOpenPoints(const char* name, const char* text)
{
    return refusal([&] {
        PointText points;
        try {
            points = parsePoints(text);
        } catch (const InputError& e) {
            throw OptionError(inputErrorText(name, e));
        }
        if (points.count() > INT_MAX)
            throw OptionError(std::string(name) + ": more records than the search takes");
        seed = -1;
        if (points.dimension == 2)
            take(runOf<Point2>(points), 0);
        else
            take(runOf<Point3>(points), 0);
    });
}

EMSCRIPTEN_KEEPALIVE const char* pageReport() { return report.c_str(); }

// The seed of the shown random program, or -1.
EMSCRIPTEN_KEEPALIVE double pageSeed() { return static_cast<double>(seed); }

// Steps (on) or the programs' picture; the steps start at the first.
EMSCRIPTEN_KEEPALIVE void pageExplain(int on)
{
    explaining = on != 0;
    showSet(0);
}

// Whether the steps are shown: explaining, and a set small enough.
EMSCRIPTEN_KEEPALIVE int pageStepsShown() { return explaining && explainable(); }

// A key of the steps: 0 to 8 in StepKey's order.
EMSCRIPTEN_KEEPALIVE void pageKey(int key)
{
    if (pageStepsShown() && key >= 0 && key <= static_cast<int>(StepKey::slower))
        pressKey(static_cast<StepKey>(key));
}

EMSCRIPTEN_KEEPALIVE int pageStep() { return pageStepsShown() ? static_cast<int>(stepPlayer().current) + 1 : 0; }

// The step shown as closest_explain --steps prints it; or why no step is shown.
EMSCRIPTEN_KEEPALIVE const char* pageStepText()
{
    if (!shown || !explaining)
        return handOver("");
    if (!explainable())
        return handOver(std::to_string(count(*shown)) + " records are more than the steps are shown for (" +
                        std::to_string(windowMostRecords) + ")");
    const StepPlayer& player = stepPlayer();
    const std::vector<Step>& steps = viewSteps();
    return handOver(std::visit(
        [&](const auto& run) { return numberedStep(run, steps[player.current], player.current + 1, steps.size()); },
        *shown));
}

// The calls under way at the step shown, a line each, and the player's state.
EMSCRIPTEN_KEEPALIVE const char* pageCalls()
{
    if (!pageStepsShown())
        return handOver("");
    std::string text = playerHeader(stepPlayer(), viewSteps().size());
    for (const std::string& call : callsUnderWay(viewSteps(), stepPlayer().current))
        text += "\n" + call;
    return handOver(text);
}

} // extern "C"

// Opens the viewer on the canvas, with the steps' keys; the page's script then chooses the set.
int main(int argc, char** argv)
{
    onStepShown = [](const StepPlayer&) { EM_ASM(Module.onStepShown && Module.onStepShown()); };
    openViewer(argc, argv);
    // A frame when something changes, not continuously: a software renderer takes 80 ms for a
    // frame of 100,000 points, and frames one after another would keep keys and clicks waiting.
    glutIdleFunc(nullptr);
    takeStepKeys();
    glutMainLoop();
    return 0;
}
