// Asking before a step's result is shown, for homework: the next key stops before a step that asks
// and opens its question, drawn in the picture without its result; Next and Previous wait until it
// is answered. A question is answered by one of two words, by clicks or taps on the picture (a
// split's line, or records), or by records chosen from a list. Jumps past questions (End, Page
// Down, a call chosen in the tree) count them as skipped. A keyboard answers every question: on the
// picture the arrow keys go from record to record and Enter or Space chooses one; a split's x is
// typed; a strip of a call too large to list its records is answered by its counts on each side.
#include "explain/ask.hpp"
#include "explain/edit.hpp"
#include "explain/step_view.hpp"
#include "run/format.hpp"
#include "viewer/viewer.hpp"
#include "web/page.hpp"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>

namespace {

// The most records a question lists as buttons; a larger call's records are chosen on the picture
// (by the arrow keys too), and its strip's counted.
constexpr int listMostRecords = 64;

bool askingOn = false;                // a question before each step of the kinds chosen
std::optional<std::size_t> question; // the step whose question is open, held back behind the one shown
bool revealing = false;              // the next key shows the step just answered without asking
AskScore score;                      // the answers given since the set was shown
std::vector<int> chosen;             // the records chosen for the open question, by index
bool missed = false;                 // the last click fell away from every record
int cursor = -1;                     // the record the arrow keys are on, by index; -1 before the first

// The open question's answer so far forgotten: a new question, or none.
void clearAnswer()
{
    chosen.clear();
    missed = false;
    cursor = -1;
}

QuestionKinds kinds() { return page.options.questions.value_or(defaultQuestionKinds); }

Question openQuestion() { return question ? questionOf(viewSteps()[*question], kinds()) : Question::none; }

// The open question in the picture: the chosen records and the arrow keys' one by their position in
// x order, as the picture draws them.
void showOpen()
{
    std::vector<int> positions;
    int cursorAt = -1;
    std::visit(
        [&](const auto& run) {
            for (int i = 0; i < run.count; ++i) {
                const int record = static_cast<int>(run.byX[i] - run.records);
                if (std::find(chosen.begin(), chosen.end(), record) != chosen.end())
                    positions.push_back(i);
                if (record == cursor)
                    cursorAt = i;
            }
        },
        page.shown->run);
    showQuestion(viewSteps()[*question], positions, cursorAt);
    EM_ASM(Module.onStepShown && Module.onStepShown());
}

// The open question answered: counted, then its step shown.
void answer(const Answer& given)
{
    const bool right = std::visit([&](const auto& run) { return isRight(run, viewSteps()[*question], given); },
                                  page.shown->run);
    takeAnswer(score, *question, right);
    question.reset();
    clearAnswer();
    revealing = true;
    pressKey(StepKey::next);
    revealing = false;
}

// The record of the set under canvas pixel (x, y), within reach, by index; and the set's place there.
std::optional<int> recordAt(int x, int y, bool touch, Point2& at, double& pixel)
{
    Point2 next;
    if (!planePoint(x, y, at.x, at.y) || !planePoint(x + 1, y, next.x, next.y))
        return std::nullopt;
    const ScenePlacement placed = stepPlacement();
    for (Point2* p : {&at, &next})
        *p = {p->x / placed.scale + placed.origin[0], p->y / placed.scale + placed.origin[1]};
    pixel = std::hypot(next.x - at.x, next.y - at.y);
    const double reach = (touch ? touchReach : mouseReach) * pixel;
    const CallRecords call = callOf(viewSteps()[*question]);
    return std::visit(
        [&](const auto& run) -> std::optional<int> {
            std::optional<int> nearest;
            double best = reach * reach;
            for (int i = call.begin; i < call.begin + call.count; ++i) {
                const double dx = run.byX[i]->x - at.x, dy = run.byX[i]->y - at.y;
                if (dx * dx + dy * dy <= best) {
                    best = dx * dx + dy * dy;
                    nearest = static_cast<int>(run.byX[i] - run.records);
                }
            }
            return nearest;
        },
        page.shown->run);
}

// A record chosen or unchosen; a leaf's and the end's second record answers.
void choose(int record)
{
    missed = false;
    if (openQuestion() == Question::split) {
        answer({.records = {record}});
        return;
    }
    const auto at = std::find(chosen.begin(), chosen.end(), record);
    if (at != chosen.end())
        chosen.erase(at);
    else
        chosen.push_back(record);
    const Question q = openQuestion();
    if ((q == Question::leaf || q == Question::end) && chosen.size() == 2)
        answer({.records = chosen});
    else
        showOpen();
}

} // namespace

void endAsking()
{
    question.reset();
    clearAnswer();
    score = {};
}

void setAsking(bool on)
{
    askingOn = on;
    endAsking();
}
bool asking() { return askingOn; }

bool takeKey(StepKey key)
{
    if (!askingOn || revealing)
        return true;
    const std::vector<Step>& steps = viewSteps();
    const std::size_t current = stepPlayer().current;
    if (key == StepKey::next || key == StepKey::previous) {
        if (question)
            return false;
        const std::size_t next = current + 1;
        if (key == StepKey::previous || next >= steps.size() || questionOf(steps[next], kinds()) == Question::none)
            return true;
        question = next;
        clearAnswer();
        showOpen();
        return false;
    }
    // A jump: the open question and those it passes are skipped unless answered.
    StepPlayer to = stepPlayer();
    pressStepKey(to, steps, key);
    jumpAsking(current, to.current);
    return true;
}

void jumpAsking(std::size_t from, std::size_t to)
{
    if (!askingOn)
        return;
    if (to > from)
        skipQuestions(score, viewSteps(), kinds(), from, to);
    question.reset();
    clearAnswer();
}

extern "C" {

// What the page shows while asking, as JSON: whether it asks; the open question, its kind, its two
// answers' words or whether records answer it, the records chosen and the records to choose from
// (index and text, for a call small enough), the record the arrow keys are on; for a larger call how
// the keys choose records and, for a strip, whether counts answer it and their words; the last
// answer's verdict while its step is shown; the score; and whether the report is held back (steps
// shown, and the last one not yet reached).
EMSCRIPTEN_KEEPALIVE const char* pageAsk()
{
    const bool on = askingOn && stepsOnScreen();
    const std::vector<Step>* steps = on ? &viewSteps() : nullptr;
    const std::size_t current = on ? stepPlayer().current : 0;
    const Language language = page.options.language;
    const Words& w = wordsOf(language);
    const NumberStyle numbers{page.options.digits};
    std::string text, kind, answers = "[]", records = "[]", chosenText, cursorText, hint, verdict;
    bool byRecords = false, counts = false;
    if (on && question) {
        const Step& step = (*steps)[*question];
        const Question q = questionOf(step, kinds());
        byRecords = choosesRecords(q);
        kind = questionNames[static_cast<int>(q) - 1].name;
        std::visit(
            [&](const auto& run) {
                const auto writer = [&numbers](double value) { return numberText(value, numbers); };
                text = questionText(run, step, language, numbers);
                if (!byRecords)
                    answers = "[" + json(answerWord(q, 0, language)) + "," + json(answerWord(q, 1, language)) + "]";
                const CallRecords call = callOf(step);
                const bool listed = call.count <= listMostRecords;
                hint = byRecords && !listed ? w.askArrows : "";
                counts = q == Question::strip && !listed;
                if (cursor >= 0)
                    cursorText = filled(w.cursorOn, {pointText(run.records[cursor], writer)});
                if (byRecords && listed) {
                    records = "[";
                    for (int i = call.begin; i < call.begin + call.count; ++i) {
                        const int index = static_cast<int>(run.byX[i] - run.records);
                        const bool isChosen = std::find(chosen.begin(), chosen.end(), index) != chosen.end();
                        records += printfText("%s{\"index\":%d,\"text\":%s,\"chosen\":%s}", i == call.begin ? "" : ",",
                                              index, json(pointText(run.records[index], writer)).c_str(),
                                              isChosen ? "true" : "false");
                    }
                    records += "]";
                }
                std::string list;
                for (const int r : chosen)
                    list += (list.empty() ? "" : ", ") + pointText(run.records[r], writer);
                chosenText = missed ? w.noRecord : chosen.empty() ? "" : filled(w.chosen, {list});
            },
            page.shown->run);
    } else if (on && score.last == current && score.firstRight.contains(current)) {
        verdict = std::visit([&](const auto& run) { return verdictText(run, score, *steps, language, numbers); },
                             page.shown->run);
    }
    return handOver(printfText("{\"asking\":%s,\"question\":%s,\"kind\":%s,\"answers\":%s,\"byRecords\":%s,"
                               "\"records\":%s,\"chosen\":%s,\"cursor\":%s,\"hint\":%s,\"counts\":%s,"
                               "\"countWords\":[%s,%s,%s],\"answerLabel\":%s,\"verdict\":%s,\"score\":%s,"
                               "\"hideReport\":%s}",
                               on ? "true" : "false", json(text).c_str(), json(kind).c_str(), answers.c_str(),
                               byRecords ? "true" : "false", records.c_str(), json(chosenText).c_str(),
                               json(cursorText).c_str(), json(hint).c_str(), counts ? "true" : "false",
                               json(w.askCounts).c_str(), json(w.countLeft).c_str(), json(w.countRight).c_str(),
                               json(w.answerButton).c_str(), json(verdict).c_str(),
                               json(on ? scoreText(score, language) : "").c_str(),
                               on && current + 1 < steps->size() ? "true" : "false"));
}

// The answer to the open question, 0 or 1 (yes or no, the left or the right pair).
EMSCRIPTEN_KEEPALIVE void pageAnswer(int choice)
{
    if (question && stepsOnScreen() && !choosesRecords(openQuestion()))
        answer({.choice = choice});
}

// A click or tap at canvas pixel (x, y) while a question that records answer is open: a split's
// line placed there (right within a few pixels of the line too), else the record there chosen or
// unchosen; away from every record it answers nothing and says so. Whether it was taken.
EMSCRIPTEN_KEEPALIVE int pageAskClick(int x, int y, int touch)
{
    if (!question || !stepsOnScreen() || !choosesRecords(openQuestion()))
        return 0;
    Point2 at;
    double pixel = 0;
    const std::optional<int> record = recordAt(x, y, touch != 0, at, pixel);
    if (openQuestion() == Question::split && pixel > 0) {
        answer({.x = at.x, .reach = (touch ? touchReach : mouseReach) * pixel});
        return 1;
    }
    if (record)
        choose(*record);
    else
        missed = true;
    return 1;
}

// A record chosen from the list, by its index.
EMSCRIPTEN_KEEPALIVE void pageAskRecord(int record)
{
    if (question && stepsOnScreen() && choosesRecords(openQuestion()) && record >= 0 &&
        record < recordCount(page.shown->run))
        choose(record);
}

// The arrow keys on the picture: the record of the call nearest that way on the screen, (dx, dy) in
// its pixels (y down), from the one they are on; the first press goes to the call's first record.
EMSCRIPTEN_KEEPALIVE void pageAskMove(int dx, int dy)
{
    if (!question || !stepsOnScreen() || !choosesRecords(openQuestion()))
        return;
    const int x = glutGet(GLUT_WINDOW_WIDTH) / 2, y = glutGet(GLUT_WINDOW_HEIGHT) / 2;
    Point2 from, to; // the arrow in the plane, through the view as it is turned and zoomed
    if (!planePoint(x, y, from.x, from.y) || !planePoint(x + 100 * dx, y + 100 * dy, to.x, to.y))
        return;
    const CallRecords call = callOf(viewSteps()[*question]);
    cursor = std::visit([&](const auto& run) { return recordToward(run, call, cursor, to.x - from.x, to.y - from.y); },
                        page.shown->run);
    showOpen();
}

// Enter or Space on the picture: the record the arrow keys are on chosen or unchosen.
EMSCRIPTEN_KEEPALIVE void pageAskPick()
{
    if (question && stepsOnScreen() && choosesRecords(openQuestion()) && cursor >= 0)
        choose(cursor);
}

// A strip's records counted on each side, as its answer.
EMSCRIPTEN_KEEPALIVE void pageAskCounts(int left, int right)
{
    if (question && stepsOnScreen() && openQuestion() == Question::strip && left >= 0 && right >= 0)
        answer({.left = left, .right = right});
}

// The x typed for the open split's line.
EMSCRIPTEN_KEEPALIVE void pageAskPlace(double x)
{
    if (question && stepsOnScreen() && openQuestion() == Question::split)
        answer({.x = x});
}

// The records chosen given as the answer (a strip's; a leaf's or the end's need two).
EMSCRIPTEN_KEEPALIVE void pageAskSubmit()
{
    if (question && stepsOnScreen() && choosesRecords(openQuestion()))
        answer({.records = chosen});
}

// The kinds of question asked from now on, as a link names them: "" or closest_explain's message.
EMSCRIPTEN_KEEPALIVE const char* pageSetQuestions(const char* list)
{
    try {
        page.options.questions = parseExplainOptions({"--questions", list}).questions;
        question.reset();
        clearAnswer();
        return handOver("");
    } catch (const OptionError& e) {
        return handOver(explainMessage(e.what()));
    }
}

// The kinds of question, as JSON: each kind's name, its words in the language, and whether it is asked.
EMSCRIPTEN_KEEPALIVE const char* pageQuestionKinds()
{
    std::string text = "[";
    for (const QuestionName& q : questionNames)
        text += printfText("%s{\"name\":%s,\"label\":%s,\"on\":%s}", text.size() > 1 ? "," : "", json(q.name).c_str(),
                           json(wordsOf(page.options.language).questionKinds[static_cast<int>(q.question) - 1]).c_str(),
                           kinds() & kindBit(q.question) ? "true" : "false");
    return handOver(text + "]");
}

} // extern "C"
