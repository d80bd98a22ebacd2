// The page's side of the C++: it opens the viewer on the canvas and answers the page's script,
// which hands it the words of a closest_explain command line and calls the functions below to
// show the set they name, as the programs do or step by step, with closest_explain's texts.
#include "explain/ask.hpp"
#include "explain/driver.hpp"
#include "explain/edit.hpp"
#include "explain/listing.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "explain/window.hpp"
#include "run/format.hpp"
#include "scene/from_records.hpp"
#include "sets/program_sets.hpp"
#include "sets/teaching_sets.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <new>
#include <optional>
#include <unordered_map>

namespace {

std::optional<ExplainedSet> shown;   // the set on the canvas
std::string report;                  // its report lines
ExplainOptions options;              // what it was opened with
bool explaining = false;             // steps, or the programs' picture
std::vector<std::string> words;      // the command line the next open takes
std::string pointsText;              // the text of the user's points, under any name
std::string linkPoints;              // the shown user's points as a link carries them, or ""
std::string answer;                  // the text a function hands the page, kept until the next call
double costSeed = -1;                // the seed of the last cost table, or -1
bool asking = false;                 // a question before each comparison's and combine's result
std::optional<std::size_t> question; // the step whose question is open, held back behind the one shown
bool revealing = false;              // the next key shows the step just answered without asking
AskScore score;                      // the answers given since the set was shown
std::optional<EditedPoints> edited;  // the points placed by hand, from the set shown when the first change came
std::optional<std::size_t> dragged;  // the edited record a press took, while it is held
bool dragMoved = false;              // whether the held record has moved since the press
int editsShown = 0;                  // changes to the edited records shown so far
// The shortest text of each coordinate written since the last set was opened, by its bits: an edit
// writes the records again, and each text takes up to 17 tries to find.
std::unordered_map<std::uint64_t, std::string> shortestTexts;

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

// The parameters a link takes, each with closest_explain's option (none for a switch): those that
// name the set, then those of the view.
struct LinkParameter {
    const char* name;
    const char* option;
    bool namesSet;
};
constexpr LinkParameter linkParameters[] = {
    {"program", "--like", true},  {"set", "--set", true},      {"count", "--count", true},
    {"dim", "--dim", true},       {"seed", "--seed", true},    {"points", "--points", true},
    {"explain", nullptr, false},  {"step", "--step", false},   {"lang", "--lang", false},
    {"digits", "--digits", false}, {"follow", nullptr, false}, {"large", nullptr, false},
    {"ask", nullptr, false}};

// A link's points: the records as shortest texts, a comma between coordinates and a semicolon
// after each record, the + of an exponent written %2B; at most so many characters of them.
constexpr const char* linkPointsName = "points";
constexpr std::size_t linkMostCharacters = 160'000;

const std::string& shortestOf(double value)
{
    std::uint64_t bits = 0; // not the value: -0 and 0 are equal, and their texts are not
    std::memcpy(&bits, &value, sizeof bits);
    const auto [known, fresh] = shortestTexts.try_emplace(bits);
    if (fresh)
        known->second = shortestText(value);
    return known->second;
}

// The records in record order, each coordinate as its shortest text: between coordinates, between,
// and after each record, end. Past most characters the records left are left out.
template <class Point>
std::string recordsText(const Point* records, std::size_t count, const char* between, const char* end,
                        std::size_t most = std::string::npos)
{
    std::string text;
    for (std::size_t i = 0; i < count && text.size() <= most; ++i)
        for (int k = 0; k < dimensionOf<Point>; ++k)
            text.append(shortestOf(coordinate(records[i], k))).append(k + 1 < dimensionOf<Point> ? between : end);
    return text;
}

std::string recordsText(const AnyRun& run, const char* between, const char* end, std::size_t most = std::string::npos)
{
    return std::visit(
        [&](const auto& r) { return recordsText(r.records, static_cast<std::size_t>(r.count), between, end, most); },
        run);
}

// Past linkMostCharacters, only as much as tells that the records are too many for a link.
std::string linkText(const AnyRun& run)
{
    std::string text;
    for (const char c : recordsText(run, ",", ";", linkMostCharacters))
        text += c == '+' ? std::string("%2B") : std::string(1, c);
    return text;
}

// The start-up view for a picture of width x height pixels, as a window's reshape leaves it, the
// step's call framed when following. Two cases the programs' sets never meet are mended:
// - The camera's distance follows the set's width for a landscape window, so a narrow picture (a
//   phone's) would cut the set's sides off: there the picture is shrunk about its middle until the
//   set's width fits.
// - A set as the programs show it, wider than the far plane is deep, would lie beyond it and show
//   nothing: there the eye's space is scaled down about the eye, which leaves the picture as it is
//   and brings the set within the depth range.
void startView(int width, int height)
{
    onReshape(width, height);
    if (following() && stepsOnScreen()) {
        setFollow(true);
        return;
    }
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // Half the set's width on the plane z = 0, in the picture's half-widths.
    const double half = projection[0] * (sceneExtent.max.x - sceneExtent.min.x) / 2 / std::max(eyeDistance, 1e-6f);
    const double depth = static_cast<double>(eyeDistance) - sceneExtent.min.z; // to the farthest record
    glMatrixMode(GL_PROJECTION);
    if (half > 0.95) {
        const auto shrink = static_cast<float>(0.95 / half);
        glLoadIdentity();
        glScalef(shrink, shrink, 1);
        glMultMatrixf(projection);
    }
    if (depth > 0.99 * viewerFarPlane) {
        const auto nearer = static_cast<float>(0.9 * viewerFarPlane / depth);
        glScalef(nearer, nearer, nearer);
    }
}

// Fills the scene with the set as the programs show it, or with its steps from step `start` on,
// and returns to the start-up view.
void showSet(std::vector<Step> steps, std::size_t start)
{
    clearScene();
    endStepView();
    question.reset();
    score = {};
    if (shown)
        std::visit(
            [&](auto& run) {
                if (stepsOnScreen())
                    beginStepView(run, std::move(steps), start, options.language, options.digits);
                else
                    addRunToScene(run.records, run.count, run.first, run.second);
            },
            shown->run);
    resetView();
    startView(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutPostRedisplay();
}

} // namespace

extern "C" {

// One word of the command line that the next pageOpen takes: its bytes, NULs and all.
EMSCRIPTEN_KEEPALIVE void pageWord(const char* bytes, int length) { words.emplace_back(bytes, length); }

// The bytes that --points NAME reads, whatever the name, as a file holds them.
EMSCRIPTEN_KEEPALIVE void pagePoints(const char* bytes, int length) { pointsText.assign(bytes, length); }

} // extern "C"

namespace {

// Opens what the command line asks for, as closest_explain would, with its steps when explain is
// set: answers "" or closest_explain's message, and keeps the set shown when it refuses. Points
// placed by hand are opened at keptStep (counting from 1), or the last step when there are fewer
// now; any other set ends their editing.
std::string openLine(const std::vector<std::string>& line, bool explain, std::optional<std::size_t> keptStep = {})
{
    std::optional<ExplainedSet> opened;
    std::string refused;
    try {
        const ExplainOptions o = parseExplainOptions(line);
        opened = openSet(o, [](const std::string&) { return pointsText; }, static_cast<unsigned>(std::time(nullptr)));
        std::vector<Step> steps;
        std::size_t start = static_cast<std::size_t>(o.step.value_or(1));
        if (explain && stepsShown(recordCount(opened->run)))
            steps = stepsToShow(*opened, keptStep ? 1 : o.step.value_or(1));
        if (keptStep)
            start = std::clamp<std::size_t>(*keptStep, 1, std::max<std::size_t>(steps.size(), 1));
        std::string lines = reportOf(*opened);
        if (shown)
            releaseSet(*shown);
        shown = std::move(opened);
        report = std::move(lines);
        if (!keptStep) {
            edited.reset();
            shortestTexts.clear();
        }
        linkPoints = o.points ? linkText(shown->run) : "";
        options = o;
        explaining = explain;
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

// Whether closest_explain takes the words on their own.
bool parses(const std::vector<std::string>& line)
{
    try {
        parseExplainOptions(line);
        return true;
    } catch (const OptionError&) {
        return false;
    }
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* pageOpen(int explain)
{
    const std::vector<std::string> line = std::move(words);
    words.clear();
    return handOver(openLine(line, explain != 0));
}

// Opens what a link names: the words are its parameters, a name and a value each. The set's
// parameters are closest_explain's options, the view's are switches, the step, the language (the
// browser's, language, when the link names none) and the digits. A bad parameter is said as
// closest_explain says it: an unknown one or a bad one of the set opens the fixed set instead;
// without a bad one of the view the named set opens at its first step. Answers, as JSON, what was
// refused, the switches, the language and, for a set that teaches, its count and dimension.
EMSCRIPTEN_KEEPALIVE const char* pageLink(const char* language)
{
    const std::vector<std::string> line = std::move(words);
    words.clear();
    std::string refused;
    const auto refuse = [&refused](const std::string& what) {
        if (refused.empty())
            refused = explainMessage(what);
    };
    std::vector<std::string> set, view;
    bool explain = false, follow = false, large = false, ask = false, setRefused = false;
    for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
        const std::string &name = line[i], &value = line[i + 1];
        const LinkParameter* parameter = std::find_if(std::begin(linkParameters), std::end(linkParameters),
                                                      [&name](const LinkParameter& p) { return name == p.name; });
        explain |= name == "step" || (name == "explain" && value.empty());
        follow |= name == "follow" && value.empty();
        large |= name == "large" && value.empty();
        ask |= name == "ask" && value.empty();
        explain |= ask;
        bool twice = false;
        for (std::size_t j = 0; j < line.size(); j += 2)
            twice |= j != i && line[j] == name;
        if (parameter == std::end(linkParameters))
            refuse("unknown parameter '" + shownText(name) + "'; a link takes " + namesText(linkParameters));
        else if (twice)
            refuse("the parameter " + name + " is given twice; a link takes each once");
        else if (parameter->option == nullptr && !value.empty())
            refuse(name + " takes no value, not '" + shownText(value) + "'");
        else {
            std::vector<std::string>& part = parameter->namesSet ? set : view;
            if (name == linkPointsName) { // read as a file of them, a line a record
                pointsText = value;
                std::replace(pointsText.begin(), pointsText.end(), ';', '\n');
            }
            if (parameter->option != nullptr)
                part.insert(part.end(), {parameter->option, name == linkPointsName ? linkPointsName : value});
            continue;
        }
        setRefused |= parameter == std::end(linkParameters) || parameter->namesSet;
    }
    if (setRefused)
        set.clear();
    setFollow(follow);
    setLarge(large);
    asking = ask;
    // The view's words that closest_explain takes on their own, the step left out.
    std::vector<std::string> kept = {"--lang", language};
    for (std::size_t i = 0; i < view.size(); i += 2)
        if (view[i] != "--step" && parses({view[i], view[i + 1]}))
            kept.insert(kept.end(), {view[i], view[i + 1]});
    std::vector<std::string> all = {"--lang", language};
    for (const auto* part : {&set, &view})
        all.insert(all.end(), part->begin(), part->end());
    if (const std::string whole = openLine(all, explain); !whole.empty()) {
        if (refused.empty())
            refused = whole;
        std::vector<std::string> namedSet = kept;
        namedSet.insert(namedSet.end(), set.begin(), set.end());
        if (!openLine(namedSet, explain).empty())
            openLine(kept, explain);
    }
    const std::string teaching =
        options.set ? printfText("{\"count\":%lld,\"dim\":%d}", options.count.value_or(teachingDefaultCount),
                                 options.dimension.value_or(2))
                    : "null";
    return handOver(printfText(
        "{\"refused\":%s,\"explain\":%s,\"follow\":%s,\"large\":%s,\"language\":%s,\"set\":%s,\"points\":%s,"
        "\"ask\":%s}",
        json(refused).c_str(), explain ? "true" : "false", follow ? "true" : "false", large ? "true" : "false",
        json(languageCode(options.language)).c_str(), teaching.c_str(), options.points ? "true" : "false",
        ask ? "true" : "false"));
}

EMSCRIPTEN_KEEPALIVE const char* pageReport() { return report.c_str(); }

// The user's points as the address's points= carries them; "" for another set or when they are
// too many for a link.
EMSCRIPTEN_KEEPALIVE const char* pagePointsLink()
{
    return handOver(linkPoints.size() <= linkMostCharacters ? linkPoints : "");
}

// Said above the picture when the user's points are too many for a link; else "".
EMSCRIPTEN_KEEPALIVE const char* pagePointsNote()
{
    if (!shown || linkPoints.size() <= linkMostCharacters)
        return handOver("");
    return handOver(printfText("%d records are too many for a link (over %zu characters); save the points instead",
                               recordCount(shown->run), linkMostCharacters));
}

// The shown set as a file of points that closest_explain reads back to the same records: a line a
// record, in record order, each coordinate as its shortest text.
EMSCRIPTEN_KEEPALIVE const char* pagePointsText() { return handOver(shown ? recordsText(shown->run, " ", "\n") : ""); }

// Every step of the shown set as closest_explain --steps prints them after the report, in the
// language and digits in use, a line each; "" when the set is too large for the steps.
EMSCRIPTEN_KEEPALIVE const char* pageStepsText()
{
    if (!shown || !stepsShown(recordCount(shown->run)))
        return handOver("");
    std::string text;
    writeSteps(*shown, nullptr, options, [&text](const std::string& line) { text += line + "\n"; });
    return handOver(text);
}

// Why the shown set's steps are not saved, as closest_explain says it; or "".
EMSCRIPTEN_KEEPALIVE const char* pageStepsRefusal()
{
    const int count = shown ? recordCount(shown->run) : 0;
    return handOver(shown && !stepsShown(count) ? explainMessage(shown->name + ": " + tooManyForSteps(count)) : "");
}

// The shown set's name: its program, its kind, or the name its points were given under.
EMSCRIPTEN_KEEPALIVE const char* pageName() { return handOver(shown ? shown->name : ""); }

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

// The significant digits of the texts' numbers from now on, as --digits takes them ("": the shortest
// exact text): "" or closest_explain's message.
EMSCRIPTEN_KEEPALIVE const char* pageSetDigits(const char* word)
{
    try {
        options.digits = *word ? parseExplainOptions({"--digits", word}).digits : 0;
        return handOver("");
    } catch (const OptionError& e) {
        return handOver(explainMessage(e.what()));
    }
}

// The digits in use, 0 for the shortest exact text.
EMSCRIPTEN_KEEPALIVE int pageDigits() { return options.digits; }

// Under the report: whether its two searches named different pairs at the same distance.
EMSCRIPTEN_KEEPALIVE const char* pageNote()
{
    return handOver(shown ? equalDistancesNote(*shown, options.language) : "");
}

// Said above the picture when the steps are asked for but the set is too large for them; else "".
EMSCRIPTEN_KEEPALIVE const char* pageStepsNote()
{
    return handOver(shown && explaining && !stepsOnScreen() ? tooManyForSteps(recordCount(shown->run)) : "");
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
            return numberedStep(run, steps[player.current], player.current + 1, steps.size(), options.language,
                                {options.digits});
        },
        shown->run));
}

// The calls under way at the step shown, a line each, after the player's line.
EMSCRIPTEN_KEEPALIVE const char* pageCalls()
{
    if (!stepsOnScreen())
        return handOver("");
    std::string text = playerLine();
    for (const std::string& call : callsUnderWay(viewSteps(), stepPlayer().current, options.language, {options.digits}))
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

// What the page offers, as JSON: the programs, the sets that teach and their counts, the
// dimensions, the languages, the keys (each labelled in every language), the most records the
// cost is counted for and the digits the texts take.
EMSCRIPTEN_KEEPALIVE const char* pageLists()
{
    const auto list = [](const auto& table, const auto& item) {
        std::string items;
        for (const auto& entry : table)
            items += (items.empty() ? "" : ",") + item(entry);
        return "[" + items + "]";
    };
    const std::string programs = list(programSets, [](const ProgramSet& p) { return json(p.name); });
    const std::string sets = list(teachingSets, [](const TeachingSet& s) {
        return printfText("{\"name\":%s,\"description\":%s}", json(s.name).c_str(), json(s.description).c_str());
    });
    const std::string languageList = list(languages, [](const LanguageName& l) {
        return printfText("{\"name\":%s,\"ownName\":%s}", json(l.name).c_str(), json(l.ownName).c_str());
    });
    const std::string keys = list(stepKeyNames, [&](const StepKeyName& k) {
        const std::string labels = list(languages, [&](const LanguageName& l) {
            return json(l.name) + ":" + json(k.label[static_cast<int>(l.language)]);
        });
        return printfText("{\"key\":%d,\"shortcut\":%s,\"label\":{%s}}", static_cast<int>(k.key),
                          json(k.shortcut).c_str(), labels.substr(1, labels.size() - 2).c_str());
    });
    return handOver(printfText("{\"programs\":%s,\"sets\":%s,\"dimensions\":[2,3],\"languages\":%s,\"keys\":%s,"
                               "\"leastCount\":%lld,\"mostCount\":%lld,\"defaultCount\":%lld,\"costMost\":%lld,"
                               "\"leastDigits\":%d,\"mostDigits\":%d}",
                               programs.c_str(), sets.c_str(), languageList.c_str(), keys.c_str(), teachingLeastCount,
                               teachingMostCount, teachingDefaultCount, costDefaultMost, leastDigits, mostDigits));
}

// The cost table that the words (--cost and its options, as closest_explain takes them) ask for,
// as closest_explain --cost prints it; or closest_explain's message.
EMSCRIPTEN_KEEPALIVE const char* pageCost()
{
    const std::vector<std::string> line = std::move(words);
    words.clear();
    costSeed = -1;
    try {
        const ExplainOptions o = parseExplainOptions(line);
        if (!o.cost)
            return handOver(explainMessage("the cost table takes --cost"));
        const unsigned seed = o.seed.value_or(static_cast<unsigned>(std::time(nullptr)));
        std::string table;
        writeCost(o, seed, [&table](const std::string& row) { table += row + "\n"; });
        costSeed = seed;
        return handOver(table);
    } catch (const OptionError& e) {
        return handOver(explainMessage(e.what()));
    } catch (const std::bad_alloc&) {
        return handOver(explainMessage("out of memory"));
    }
}

// The seed the last cost table was counted with, or -1 when it was refused.
EMSCRIPTEN_KEEPALIVE double pageCostSeed() { return costSeed; }

// Whether the view is framed on the call of each step shown (the f key switches it too).
EMSCRIPTEN_KEEPALIVE void pageFollow(int on)
{
    setFollow(on != 0);
    if (on == 0)
        startView(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

EMSCRIPTEN_KEEPALIVE int pageFollowing() { return following(); }

// Projector mode: the records and lines twice as large (the z key switches it too).
EMSCRIPTEN_KEEPALIVE void pageLarge(int on)
{
    setLarge(on != 0);
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE int pageLargeShown() { return largeShown(); }

// The canvas's pixels per pixel the palette's sizes are meant for, from its size and the screen's.
EMSCRIPTEN_KEEPALIVE void pageScale(double scale)
{
    setScreenScale(static_cast<float>(scale));
    glutPostRedisplay();
}

// Asking before a comparison's or a combine's result is shown (on), or not; the count starts again.
EMSCRIPTEN_KEEPALIVE void pageSetAsk(int on)
{
    asking = on != 0;
    question.reset();
    score = {};
}

// What the page shows while asking, as JSON: whether it asks; the open question and its two
// answers' words; the last answer's verdict while its step is shown; the count of right answers;
// and whether the report is held back (steps shown, and the last one not yet reached).
EMSCRIPTEN_KEEPALIVE const char* pageAsk()
{
    const bool on = asking && stepsOnScreen();
    const std::vector<Step>* steps = on ? &viewSteps() : nullptr;
    const std::size_t current = on ? stepPlayer().current : 0;
    std::string text, answers = "[]", verdict;
    if (on && question) {
        const Step& step = (*steps)[*question];
        text = std::visit([&](const auto& run) { return questionText(run, step, options.language, {options.digits}); },
                          shown->run);
        answers = "[" + json(answerWord(questionOf(step), 0, options.language)) + "," +
                  json(answerWord(questionOf(step), 1, options.language)) + "]";
    } else if (on && !score.firstRight.empty() && score.last == current) {
        verdict = verdictText(score, *steps, options.language);
    }
    return handOver(printfText("{\"asking\":%s,\"question\":%s,\"answers\":%s,\"verdict\":%s,\"score\":%s,"
                               "\"hideReport\":%s}",
                               on ? "true" : "false", json(text).c_str(), answers.c_str(), json(verdict).c_str(),
                               json(on ? scoreText(score, options.language) : "").c_str(),
                               on && current + 1 < steps->size() ? "true" : "false"));
}

// The answer to the open question, 0 or 1 (yes or no, left or right): counted, then its step shown.
EMSCRIPTEN_KEEPALIVE void pageAnswer(int choice)
{
    if (!question || !stepsOnScreen())
        return;
    takeAnswer(score, viewSteps(), *question, choice);
    question.reset();
    revealing = true;
    pressKey(StepKey::next);
    revealing = false;
}

} // extern "C"

namespace {

// Asking, the next key (or playing) stops before a step that asks and opens its question; while
// it is open, the step keys do nothing until it is answered.
bool takeKey(StepKey key)
{
    if (!asking || revealing)
        return true;
    if (question)
        return false;
    const std::size_t next = stepPlayer().current + 1;
    if (key != StepKey::next || next >= viewSteps().size() || questionOf(viewSteps()[next]) == Question::none)
        return true;
    question = next;
    EM_ASM(Module.onStepShown && Module.onStepShown());
    return false;
}

// Points placed by hand: the page's script hands over canvas pixels; a change is shown at once.

// Why points cannot be placed by hand on the set shown, or "".
std::string editRefusalOfShown()
{
    if (!shown)
        return "no set is shown";
    const int dimension = std::holds_alternative<ClosestPairRun<Point2>>(shown->run) ? 2 : 3;
    return editRefusal(dimension, recordCount(shown->run));
}

// The records being edited: those of the set shown, until its first change.
EditedPoints& editing()
{
    if (!edited) {
        edited.emplace();
        if (const auto* run = std::get_if<ClosestPairRun<Point2>>(&shown->run))
            edited->records.assign(run->records, run->records + run->count);
    }
    return *edited;
}

// The set's place under pixel (x, y), and a pixel's size there; none off the plane.
std::optional<Point2> placeAt(int x, int y, double& pixel)
{
    Point2 at, next;
    if (!planePoint(x, y, at.x, at.y) || !planePoint(x + 1, y, next.x, next.y))
        return std::nullopt;
    const ScenePlacement placed = stepPlacement(); // from the scene's coordinates to the set's
    for (Point2* p : {&at, &next})
        *p = {p->x / placed.scale + placed.origin[0], p->y / placed.scale + placed.origin[1]};
    pixel = std::hypot(next.x - at.x, next.y - at.y);
    return at;
}

std::optional<Point2> roundedPlaceAt(int x, int y)
{
    double pixel = 0;
    const std::optional<Point2> at = placeAt(x, y, pixel);
    return at ? std::optional(Point2{roundedToPixel(at->x, pixel), roundedToPixel(at->y, pixel)}) : std::nullopt;
}

// Opens the edited records as the user's points at the step shown, the view kept as it stands; when
// closest_explain refuses them (fewer than two), the records go back to before: "" or its message.
std::string showEdited(const EditedPoints& before)
{
    pointsText = recordsText(edited->records.data(), edited->records.size(), " ", "\n");
    std::vector<std::string> line = {"--points", "-", "--lang", languageCode(options.language)};
    if (options.digits != 0)
        line.insert(line.end(), {"--digits", std::to_string(options.digits)});
    const KeptView view = keptView();
    const ScenePlacement placed = stepPlacement();
    const std::string refused = openLine(line, explaining, static_cast<std::size_t>(pageStep()));
    if (!refused.empty()) {
        edited = before;
    } else if (!following()) {
        // The view as it stood, over the set as the steps now place it: scaled and moved back.
        restoreView(view);
        const ScenePlacement now = stepPlacement();
        const auto back = static_cast<float>(placed.scale / now.scale);
        glMatrixMode(GL_MODELVIEW);
        glScalef(back, back, back);
        glTranslatef(static_cast<float>((now.origin[0] - placed.origin[0]) * now.scale),
                     static_cast<float>((now.origin[1] - placed.origin[1]) * now.scale), 0);
        glMatrixMode(GL_PROJECTION);
    }
    if (refused.empty())
        ++editsShown;
    glutPostRedisplay();
    return refused;
}

// Makes a change (a function that changes the records and says whether it did) and shows it:
// "" or why it was refused.
template <class Change>
const char* edit(Change change)
{
    if (const std::string refused = editRefusalOfShown(); !refused.empty())
        return handOver(explainMessage(refused));
    const EditedPoints before = editing();
    return handOver(change(*edited) ? showEdited(before) : "");
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* pageEditRefusal() { return handOver(editRefusalOfShown()); }

// A press at canvas pixel (x, y): whether it takes a record within reach (by touch a wider one),
// which the drags then move.
EMSCRIPTEN_KEEPALIVE int pageEditPress(int x, int y, int touch)
{
    double pixel = 0;
    const std::optional<Point2> at = placeAt(x, y, pixel);
    dragged.reset();
    dragMoved = false;
    if (at && editRefusalOfShown().empty())
        dragged = nearestWithin(editing(), *at, (touch ? touchReach : mouseReach) * pixel);
    return dragged.has_value();
}

// The held record moved to the place under (x, y); the whole drag one change.
EMSCRIPTEN_KEEPALIVE const char* pageEditDrag(int x, int y)
{
    const std::optional<Point2> at = roundedPlaceAt(x, y);
    return edit([&](EditedPoints& e) {
        if (!dragged || !at || *dragged >= e.records.size())
            return false;
        moveRecord(e, *dragged, *at, dragMoved);
        return dragMoved = true;
    });
}

EMSCRIPTEN_KEEPALIVE void pageEditRelease() { dragged.reset(); }

// A record added at the place under (x, y).
EMSCRIPTEN_KEEPALIVE const char* pageEditAdd(int x, int y)
{
    const std::optional<Point2> at = roundedPlaceAt(x, y);
    return edit([&](EditedPoints& e) { return at && (addRecord(e, *at), true); });
}

// The record nearest to (x, y) removed, when one lies within reach.
EMSCRIPTEN_KEEPALIVE const char* pageEditRemove(int x, int y, int touch)
{
    double pixel = 0;
    const std::optional<Point2> at = placeAt(x, y, pixel);
    const double reach = (touch ? touchReach : mouseReach) * pixel;
    return edit([&](EditedPoints& e) { return at && removeNearest(e, *at, reach); });
}

// Zooms the view by scale, as a drag with the middle button does: two fingers pinching.
EMSCRIPTEN_KEEPALIVE void pageZoom(double scale)
{
    if (scale > 0 && std::isfinite(scale))
        zoomView(static_cast<float>(scale));
}

EMSCRIPTEN_KEEPALIVE const char* pageUndo() { return edited ? edit(undoChange) : handOver(""); }
EMSCRIPTEN_KEEPALIVE const char* pageRedo() { return edited ? edit(redoChange) : handOver(""); }
EMSCRIPTEN_KEEPALIVE int pageEdits() { return editsShown; }
EMSCRIPTEN_KEEPALIVE int pageUndoable() { return edited && !edited->done.empty(); }
EMSCRIPTEN_KEEPALIVE int pageRedoable() { return edited && !edited->undone.empty(); }
} // extern "C"

// Opens the viewer on the canvas, with the steps' keys; the page's script then chooses the set.
int main(int argc, char** argv)
{
    onStepShown = [](const StepPlayer&) { EM_ASM(Module.onStepShown && Module.onStepShown()); };
    takesStepKey = takeKey;
    openViewer(argc, argv);
    // A frame when something changes, not continuously: a software renderer takes 80 ms for a
    // frame of 100,000 points, and frames one after another would keep keys and clicks waiting.
    glutIdleFunc(nullptr);
    takeStepKeys();
    glutReshapeFunc(startView);
    glutMainLoop();
    return 0;
}
