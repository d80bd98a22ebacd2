// Asking before a step's result is shown, for homework: the next key stops before a step that asks
// and opens its question; the step keys wait until it is answered.
#include "explain/ask.hpp"
#include "explain/step_view.hpp"
#include "run/format.hpp"
#include "web/page.hpp"

#include <emscripten.h>

namespace {

bool askingOn = false;                // a question before each comparison's and combine's result
std::optional<std::size_t> question; // the step whose question is open, held back behind the one shown
bool revealing = false;              // the next key shows the step just answered without asking
AskScore score;                      // the answers given since the set was shown

} // namespace

void endAsking()
{
    question.reset();
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
    if (question)
        return false;
    const std::size_t next = stepPlayer().current + 1;
    if (key != StepKey::next || next >= viewSteps().size() || questionOf(viewSteps()[next]) == Question::none)
        return true;
    question = next;
    EM_ASM(Module.onStepShown && Module.onStepShown());
    return false;
}

extern "C" {

// What the page shows while asking, as JSON: whether it asks; the open question and its two
// answers' words; the last answer's verdict while its step is shown; the count of right answers;
// and whether the report is held back (steps shown, and the last one not yet reached).
EMSCRIPTEN_KEEPALIVE const char* pageAsk()
{
    const bool on = askingOn && stepsOnScreen();
    const std::vector<Step>* steps = on ? &viewSteps() : nullptr;
    const std::size_t current = on ? stepPlayer().current : 0;
    const Language language = page.options.language;
    std::string text, answers = "[]", verdict;
    if (on && question) {
        const Step& step = (*steps)[*question];
        text = std::visit([&](const auto& run) { return questionText(run, step, language, {page.options.digits}); },
                          page.shown->run);
        answers = "[" + json(answerWord(questionOf(step), 0, language)) + "," +
                  json(answerWord(questionOf(step), 1, language)) + "]";
    } else if (on && !score.firstRight.empty() && score.last == current) {
        verdict = verdictText(score, *steps, language);
    }
    return handOver(printfText("{\"asking\":%s,\"question\":%s,\"answers\":%s,\"verdict\":%s,\"score\":%s,"
                               "\"hideReport\":%s}",
                               on ? "true" : "false", json(text).c_str(), answers.c_str(), json(verdict).c_str(),
                               json(on ? scoreText(score, language) : "").c_str(),
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
