// The page's side of the C++: it opens the viewer on the canvas and answers the page's script,
// which hands it the words of a closest_explain command line and calls the functions below to
// show the set they name, as the programs do or step by step, with closest_explain's texts.
#include "explain/cost.hpp"
#include "explain/driver.hpp"
#include "explain/listing.hpp"
#include "explain/step_text.hpp"
#include "explain/window.hpp"
#include "run/format.hpp"
#include "scene/from_records.hpp"
#include "sets/program_sets.hpp"
#include "sets/teaching_sets.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>
#include <emscripten.h>

#include <ctime>
#include <new>
#include <optional>

namespace {

std::optional<ExplainedSet> shown;   // the set on the canvas
std::string report;                  // its report lines
ExplainOptions options;              // what it was opened with
bool explaining = false;             // steps, or the programs' picture
std::vector<std::string> words;      // the command line the next open takes
std::string pointsText;              // the text of the user's points, under any name
std::string answer;                  // the text a function hands the page, kept until the next call

const char* handOver(std::string text)
{
    answer = std::move(text);
    return answer.c_str();
}

// A text as a JSON string.
std::string json(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += {'\\', c};
        else if (static_cast<unsigned char>(c) < 0x20)
            quoted += printfText("\\u%04x", c);
        else
            quoted += c;
    }
    return quoted + "\"";
}

bool stepsOnScreen() { return shown && explaining && stepsShown(recordCount(shown->run)); }

// Fills the scene with the set as the programs show it, or with its steps from step `start` on,
// and returns to the start-up view.
void showSet(std::vector<Step> steps, std::size_t start)
{
    clearScene();
    endStepView();
    if (shown)
        std::visit(
            [&](auto& run) {
                if (stepsOnScreen())
                    beginStepView(run, std::move(steps), start, options.language);
                else
                    addToScene(run.records, run.count, run.first, run.second);
            },
            shown->run);
    resetView();
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutPostRedisplay();
}

} // namespace

extern "C" {

// One word of the command line that the next pageOpen takes.
EMSCRIPTEN_KEEPALIVE void pageWord(const char* word) { words.emplace_back(word); }

// The text that --points NAME reads, whatever the name.
EMSCRIPTEN_KEEPALIVE void pagePoints(const char* text) { pointsText = text; }

// Opens what the words ask for, as closest_explain would, with its steps when explain is set:
// answers "" or closest_explain's message, and keeps the set shown when it refuses.
EMSCRIPTEN_KEEPALIVE const char* pageOpen(int explain)
{
    const std::vector<std::string> line = std::move(words);
    words.clear();
    std::optional<ExplainedSet> opened;
    try {
        const ExplainOptions o = parseExplainOptions(line);
        opened = openSet(o, [](const std::string&) { return pointsText; }, static_cast<unsigned>(std::time(nullptr)));
        std::vector<Step> steps;
        if (explain && stepsShown(recordCount(opened->run)))
            steps = stepsToShow(*opened, o.step.value_or(1));
        std::string lines = reportOf(*opened);
        if (shown)
            releaseSet(*shown);
        shown = std::move(opened);
        report = std::move(lines);
        options = o;
        explaining = explain != 0;
        showSet(std::move(steps), static_cast<std::size_t>(o.step.value_or(1) - 1));
        return handOver("");
    } catch (const OptionError& e) {
        answer = explainMessage(e.what());
    } catch (const std::bad_alloc&) {
        answer = explainMessage("out of memory");
    }
    if (opened)
        releaseSet(*opened);
    return answer.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* pageReport() { return report.c_str(); }

// The seed of the shown random set, or -1.
EMSCRIPTEN_KEEPALIVE double pageSeed() { return shown ? static_cast<double>(shown->seed) : -1; }

// Steps (on) or the programs' picture; the steps start at the first.
EMSCRIPTEN_KEEPALIVE void pageExplain(int on)
{
    explaining = on != 0;
    std::vector<Step> steps;
    if (stepsOnScreen())
        steps = std::visit([](const auto& run) { return recordSteps(run); }, shown->run);
    showSet(std::move(steps), 0);
}

// The language of the texts, "en" or "sr"; another code changes nothing.
EMSCRIPTEN_KEEPALIVE void pageLanguage(const char* code)
{
    if (const std::optional<Language> language = languageOf(code)) {
        options.language = *language;
        setStepLanguage(*language);
    }
}

// Whether the steps are shown: explaining, and a set small enough.
EMSCRIPTEN_KEEPALIVE int pageStepsShown() { return stepsOnScreen(); }

// A key of the steps, by its number in StepKey's order.
EMSCRIPTEN_KEEPALIVE void pageKey(int key)
{
    if (stepsOnScreen() && key >= 0 && key < static_cast<int>(std::size(stepKeyNames)))
        pressKey(static_cast<StepKey>(key));
}

EMSCRIPTEN_KEEPALIVE int pageStep() { return stepsOnScreen() ? static_cast<int>(stepPlayer().current) + 1 : 0; }

// The step shown as closest_explain --steps prints it; or why no step is shown.
EMSCRIPTEN_KEEPALIVE const char* pageStepText()
{
    if (!shown || !explaining)
        return handOver("");
    if (!stepsOnScreen())
        return handOver(tooManyForSteps(recordCount(shown->run)));
    const StepPlayer& player = stepPlayer();
    const std::vector<Step>& steps = viewSteps();
    return handOver(std::visit(
        [&](const auto& run) {
            return numberedStep(run, steps[player.current], player.current + 1, steps.size(), options.language);
        },
        shown->run));
}

// The calls under way at the step shown, a line each, after the player's line.
EMSCRIPTEN_KEEPALIVE const char* pageCalls()
{
    if (!stepsOnScreen())
        return handOver("");
    std::string text = playerLine();
    for (const std::string& call : callsUnderWay(viewSteps(), stepPlayer().current, options.language))
        text += "\n" + call;
    return handOver(text);
}

// The listing's lines in the language, and the number of the line the step shown is at (0 when
// no step is shown).
EMSCRIPTEN_KEEPALIVE const char* pageListing()
{
    std::string text;
    for (const std::string& line : listingLines(options.language))
        text += (text.empty() ? "" : "\n") + line;
    return handOver(text);
}

EMSCRIPTEN_KEEPALIVE int pageListingLine()
{
    return stepsOnScreen() ? listingLine(viewSteps()[stepPlayer().current]) : 0;
}

// What the page offers, as JSON: the programs, the sets that teach, the languages and the keys.
EMSCRIPTEN_KEEPALIVE const char* pageLists()
{
    std::string programs, sets, languageList, keys;
    for (const ProgramSet& p : programSets)
        programs += (programs.empty() ? "" : ",") + json(p.name);
    for (const TeachingSet& s : teachingSets)
        sets += (sets.empty() ? "" : ",") + printfText("{\"name\":%s,\"description\":%s}", json(s.name).c_str(),
                                                       json(s.description).c_str());
    for (const LanguageName& l : languages)
        languageList += (languageList.empty() ? "" : ",") +
                        printfText("{\"name\":%s,\"ownName\":%s}", json(l.name).c_str(), json(l.ownName).c_str());
    for (const StepKeyName& k : stepKeyNames)
        keys += (keys.empty() ? "" : ",") +
                printfText("{\"key\":%d,\"shortcut\":%s,\"en\":%s,\"sr\":%s}", static_cast<int>(k.key),
                           json(k.shortcut).c_str(), json(k.label[static_cast<int>(Language::en)]).c_str(),
                           json(k.label[static_cast<int>(Language::sr)]).c_str());
    return handOver(printfText("{\"programs\":[%s],\"sets\":[%s],\"languages\":[%s],\"keys\":[%s],"
                               "\"leastCount\":%lld,\"mostCount\":%lld,\"defaultCount\":%lld,\"costMost\":%lld}",
                               programs.c_str(), sets.c_str(), languageList.c_str(), keys.c_str(), teachingLeastCount,
                               teachingMostCount, teachingDefaultCount, costDefaultMost));
}

// The cost table of a kind and dimension up to most records, as closest_explain --cost prints it.
EMSCRIPTEN_KEEPALIVE const char* pageCost(const char* kind, int dimension, double most, double seed)
{
    const TeachingSet* set = findTeachingSet(kind);
    if (set == nullptr)
        return handOver("");
    std::string table = costHeader() + "\n";
    try {
        costRows(set->kind, dimension, static_cast<long long>(most), static_cast<std::uint32_t>(seed),
                 [&table](const CostRow& row) { table += costLine(row) + "\n"; });
    } catch (const std::bad_alloc&) {
        return handOver(explainMessage("out of memory"));
    }
    return handOver(table);
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
