// Questions that ask for a prediction before a step shows its result: where the split line goes,
// which pair of a leaf is closest, which records fall in the strip, whether a comparison finds a
// new best (only a strictly smaller distance does), which half's pair is kept (the left one on a
// tie), and which pair of the whole set is closest. Each is asked without its result, and its
// verdict says in one line why the right answer is right.
#pragma once

#include "explain/language.hpp"
#include "explain/question_kinds.hpp"
#include "explain/step_text.hpp"
#include "explain/steps.hpp"

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

// What the step asks under those kinds: a leaf or the end only when it has a pair.
Question questionOf(const Step& step, QuestionKinds kinds);

// Whether the question is answered by choosing records (a split by a place on the x axis, or a
// record the line passes through), else by one of two words.
bool choosesRecords(Question question);

// The two answers' words of a comparison (yes, no) and a combine (the left pair, the right pair).
const char* answerWord(Question question, int answer, Language language);

// An answer: one of the two words (0 or 1), a place x for a split (right within reach of its line
// too), the records chosen, by their index in the run, or a strip's records counted on each side.
struct Answer {
    int choice = -1;
    double x = NAN;
    double reach = 0;
    std::vector<int> records{};
    int left = -1, right = -1;
};

// The records of a strip, by their index in the run: the last leftCount of the call's left half in
// x order, and the first rightCount of its right half.
template <class Point>
std::vector<int> stripRecords(const ClosestPairRun<Point>& run, const SplitCall& call, const Strip& strip);

// The record of the call a key's arrow leads to from record from (by index in the run), the arrow
// pointing (dx, dy) in the set's plane: of those that way within 45 degrees (else anywhere that
// way), the nearest, a step across it counting twice a step along it; a record equal to from's
// counts as that way when it is later in x order and dx + dy > 0, or earlier and dx + dy < 0, so
// that equal records are reached too. From itself when there is none; from -1 the call's first
// record in x order.
template <class Point>
int recordToward(const ClosestPairRun<Point>& run, CallRecords call, int from, double dx, double dy);

// Whether the answer to the step's question is right: a split's x (or its one record's x) lies
// from the left half's last x to the right half's first, or within reach of the line; a leaf's or
// the end's two records are the call's and as close as its best (a tie is as right as the pair the
// search kept); a strip's records are exactly its own, or its counts on each side are; a
// comparison's yes when strictly closer; a combine's right pair only when strictly closer.
template <class Point>
bool isRight(const ClosestPairRun<Point>& run, const Step& step, const Answer& answer);

// What the step asks, without its result: a comparison without the distance it computes, a
// combine without either half's distance (the picture shows both pairs); "" for none.
template <class Point>
std::string questionText(const ClosestPairRun<Point>& run, const Step& step, Language language,
                         NumberStyle numbers = {});

// Why the right answer is right, in one line: "the left pair stays: 4.18 < 5.3".
template <class Point>
std::string reasonText(const ClosestPairRun<Point>& run, const Step& step, Language language,
                       NumberStyle numbers = {});

// The answers given and the questions jumped past: the first answer to a step counts, one given
// again does not; a question jumped past is skipped until it is answered.
struct AskScore {
    std::map<std::size_t, bool> firstRight; // by step index: whether its first answer was right
    std::set<std::size_t> skipped;
    std::size_t last = 0;   // the step answered last
    bool lastRight = false; // and whether that answer was right
};

// Takes whether an answer to steps[index]'s question was right.
void takeAnswer(AskScore& score, std::size_t index, bool right);

// A jump from steps[from] to steps[to] (later) passes the questions of the steps after from up to
// to; those not answered count as skipped.
void skipQuestions(AskScore& score, const std::vector<Step>& steps, QuestionKinds kinds, std::size_t from,
                   std::size_t to);

// "Correct: the left pair stays: 4.18 < 5.3", or "Not correct: ...", for the last answer.
template <class Point>
std::string verdictText(const ClosestPairRun<Point>& run, const AskScore& score, const std::vector<Step>& steps,
                        Language language, NumberStyle numbers = {});

// "right 3 of 5 answered, 7 skipped".
std::string scoreText(const AskScore& score, Language language);
