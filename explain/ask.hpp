// Asking before a step's result is shown, for homework: a comparison asks whether its distance is
// closer than the best so far (only a strictly smaller one is the new best), a combine which
// half's pair is kept (the left one on a tie). The other steps ask nothing.
#pragma once

#include "explain/language.hpp"
#include "explain/step_text.hpp"
#include "explain/steps.hpp"

#include <map>
#include <string>
#include <vector>

enum class Question { none, closer, kept };

Question questionOf(const Step& step);

// The right answer to the step's question: 0 yes or the left pair, 1 no or the right pair.
int rightAnswer(const Step& step);

// The two answers' words, "yes" and "no" or "left" and "right", by answer.
const char* answerWord(Question question, int answer, Language language);

// What the step asks, with its numbers and without its result: "Comparison 2 for (98, 503), with
// (100, 500): d = 3.6. Closer than the best so far, d = 3.7?"; "" for a step that asks nothing.
template <class Point>
std::string questionText(const ClosestPairRun<Point>& run, const Step& step, Language language,
                         NumberStyle numbers = {});

// The answers given: the first answer to a step counts, one given again to the same step does not.
struct AskScore {
    std::map<std::size_t, bool> firstRight; // by step index: whether its first answer was right
    std::size_t last = 0;                   // the step answered last
    bool lastRight = false;                 // and whether that answer was right
};

// Takes an answer (0 or 1) to steps[index]'s question: whether it is right.
bool takeAnswer(AskScore& score, const std::vector<Step>& steps, std::size_t index, int answer);

// "Right: yes" or "Wrong: the answer is no", for the last answer, to steps[score.last].
std::string verdictText(const AskScore& score, const std::vector<Step>& steps, Language language);

// "right answers: 3 of 5": the first answers of the steps answered.
std::string scoreText(const AskScore& score, Language language);
