// Opening sets as closest_explain opens them, and what the page shows of the set opened: its
// report, its points and its steps as files.
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "explain/step_view.hpp"
#include "scene/from_records.hpp"
#include "sets/teaching_sets.hpp"
#include "viewer/viewer.hpp"
#include "web/page.hpp"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>
#include <ctime>
#include <new>

PageState page;

bool stepsOnScreen() { return page.shown && page.explaining && stepsShown(recordCount(page.shown->run)); }

void showSet(std::vector<Step> steps, std::size_t start)
{
    clearScene();
    endStepView();
    endAsking();
    if (page.shown)
        std::visit(
            [&](auto& run) {
                if (stepsOnScreen())
                    beginStepView(run, std::move(steps), start, page.options.language, page.options.digits);
                else
                    addRunToScene(run.records, run.count, run.first, run.second);
            },
            page.shown->run);
    resetView();
    startView(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutPostRedisplay();
}

std::string openLine(const std::vector<std::string>& line, bool explain, std::optional<std::size_t> keptStep)
{
    std::optional<ExplainedSet> opened;
    std::string refused;
    try {
        const ExplainOptions o = parseExplainOptions(line);
        opened = openSet(o, [](const std::string&, std::string&) { return std::string_view(page.pointsText); }, static_cast<unsigned>(std::time(nullptr)));
        std::vector<Step> steps;
        std::size_t start = static_cast<std::size_t>(o.step.value_or(1));
        if (explain && stepsShown(recordCount(opened->run)))
            steps = stepsToShow(*opened, keptStep ? 1 : o.step.value_or(1));
        if (keptStep)
            start = std::clamp<std::size_t>(*keptStep, 1, std::max<std::size_t>(steps.size(), 1));
        std::string lines = reportOf(*opened);
        if (page.shown)
            releaseSet(*page.shown);
        page.shown = std::move(opened);
        page.report = std::move(lines);
        if (!keptStep) {
            endEditing();
            forgetRecordsTexts();
        }
        page.linkPoints = o.points ? pointsLinkOf(page.shown->run) : std::string();
        page.options = o;
        page.explaining = explain;
        showSet(std::move(steps), start - 1);
        return "";
    } catch (const OptionError& e) {
        refused = explainMessage(e.what());
    } catch (const std::bad_alloc&) {
        refused = explainMessage("out of memory");
    }
    if (opened)
        releaseSet(*opened);
    return refused;
}

std::vector<std::string> viewWords()
{
    std::vector<std::string> words = {"--lang", languageCode(page.options.language)};
    if (page.options.digits != 0)
        words.insert(words.end(), {"--digits", std::to_string(page.options.digits)});
    return words;
}

extern "C" {

// Opens the set that the words name as a link's parameters do (program and seed, or set, count,
// dim and seed), in the language and digits in use, with its steps when explain is set: "" or
// closest_explain's message, the set shown kept when it refuses.
EMSCRIPTEN_KEEPALIVE const char* pageOpenSet(int explain)
{
    std::vector<std::string> line = linkWords(takeParameters());
    const std::vector<std::string> view = viewWords();
    line.insert(line.end(), view.begin(), view.end());
    return handOver(openLine(line, explain != 0));
}

// Opens the points handed over (pagePointsRoom) as a file of that name would open.
EMSCRIPTEN_KEEPALIVE const char* pageOpenPoints(const char* name, int explain)
{
    std::vector<std::string> line = {"--points", name};
    const std::vector<std::string> view = viewWords();
    line.insert(line.end(), view.begin(), view.end());
    return handOver(openLine(line, explain != 0));
}

// closest_explain's message for a file the browser could not read, for why.
EMSCRIPTEN_KEEPALIVE const char* pageUnreadable(const char* name, const char* why)
{
    return handOver(explainMessage(inputErrorText(name, InputError(0, std::string("cannot be read: ") + why))));
}

// closest_explain's message for what went wrong in the page itself (memory ran out, the
// WebAssembly stopped).
EMSCRIPTEN_KEEPALIVE const char* pageMessage(const char* what) { return handOver(explainMessage(what)); }

EMSCRIPTEN_KEEPALIVE const char* pageReport() { return page.report.c_str(); }

// The shown set's name: its program, its kind, or the name its points were given under.
EMSCRIPTEN_KEEPALIVE const char* pageName() { return handOver(page.shown ? page.shown->name : ""); }

// The seed of the shown random set, or -1.
EMSCRIPTEN_KEEPALIVE double pageSeed() { return page.shown ? static_cast<double>(page.shown->seed) : -1; }

// The shown set as the choosers show it, as JSON: {"program": name}, {"set": kind, "count": n,
// "dim": d}, or {"points": name}.
EMSCRIPTEN_KEEPALIVE const char* pageSource()
{
    const ExplainOptions& o = page.options;
    const std::string name = json(page.shown ? page.shown->name : "");
    if (o.points)
        return handOver("{\"points\":" + name + "}");
    if (o.set)
        return handOver("{\"set\":" + name + ",\"count\":" + std::to_string(o.count.value_or(teachingDefaultCount)) +
                        ",\"dim\":" + std::to_string(o.dimension.value_or(defaultDimension)) + "}");
    return handOver("{\"program\":" + name + "}");
}

// Under the report: whether its two searches named different pairs at the same distance.
EMSCRIPTEN_KEEPALIVE const char* pageNote()
{
    return handOver(page.shown ? equalDistancesNote(*page.shown, page.options.language) : "");
}

// The shown set as a file of points that closest_explain reads back to the same records: a line a
// record, in record order, each coordinate as its shortest text.
EMSCRIPTEN_KEEPALIVE const char* pagePointsText()
{
    return handOver(page.shown ? recordsText(page.shown->run, " ", "\n") : "");
}

// Every step of the shown set as closest_explain --steps prints them after the report, in the
// language and digits in use, a line each; "" when the set is too large for the steps.
EMSCRIPTEN_KEEPALIVE const char* pageStepsText()
{
    if (!page.shown || !stepsShown(recordCount(page.shown->run)))
        return handOver("");
    std::string text;
    writeSteps(*page.shown, nullptr, page.options, [&text](const std::string& line) { text += line + "\n"; });
    return handOver(text);
}

// Why the shown set's steps are not saved, as closest_explain says it; or "".
EMSCRIPTEN_KEEPALIVE const char* pageStepsRefusal()
{
    const int count = page.shown ? recordCount(page.shown->run) : 0;
    return handOver(page.shown && !stepsShown(count) ? explainMessage(page.shown->name + ": " + tooManyForSteps(count))
                                                     : "");
}

} // extern "C"
