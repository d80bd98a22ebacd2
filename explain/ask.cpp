#include "explain/ask.hpp"

#include "run/format.hpp"

#include <algorithm>

Question questionOf(const Step& step)
{
    return std::holds_alternative<CompareStep>(step)   ? Question::closer
           : std::holds_alternative<CombineStep>(step) ? Question::kept
                                                       : Question::none;
}

// The step texts' verdicts: newBest for "a new best pair", keepsRight for "the right pair stays".
int rightAnswer(const Step& step)
{
    if (const auto* compare = std::get_if<CompareStep>(&step))
        return compare->newBest ? 0 : 1;
    if (const auto* combine = std::get_if<CombineStep>(&step))
        return combine->keepsRight ? 1 : 0;
    return 0;
}

const char* answerWord(Question question, int answer, Language language)
{
    return wordsOf(language).answers[question == Question::kept][answer != 0];
}

template <class Point>
std::string questionText(const ClosestPairRun<Point>& run, const Step& step, Language language, NumberStyle numbers)
{
    const Words& w = wordsOf(language);
    const auto distance = [&](double squared) { return distanceText(squared, language, numbers); };
    if (const auto* s = std::get_if<CompareStep>(&step)) {
        const auto number = [&numbers](double value) { return numberText(value, numbers); };
        return filled(w.closer, {std::to_string(s->comparison), pointText(run.records[s->compared.first], number),
                                 pointText(run.records[s->compared.second], number), distance(s->distanceSquared),
                                 distance(s->bestSquared)});
    }
    if (const auto* s = std::get_if<CombineStep>(&step))
        return filled(w.kept, {distance(s->leftSquared), distance(s->rightSquared)});
    return "";
}

bool takeAnswer(AskScore& score, const std::vector<Step>& steps, std::size_t index, int answer)
{
    const bool right = answer == rightAnswer(steps[index]);
    score.firstRight.emplace(index, right);
    score.last = index;
    score.lastRight = right;
    return right;
}

std::string verdictText(const AskScore& score, const std::vector<Step>& steps, Language language)
{
    const Step& step = steps[score.last];
    const Words& w = wordsOf(language);
    return filled(score.lastRight ? w.right : w.wrong, {answerWord(questionOf(step), rightAnswer(step), language)});
}

std::string scoreText(const AskScore& score, Language language)
{
    const auto right = std::count_if(score.firstRight.begin(), score.firstRight.end(),
                                     [](const auto& answered) { return answered.second; });
    return filled(wordsOf(language).score, {std::to_string(right), std::to_string(score.firstRight.size())});
}

template std::string questionText(const ClosestPairRun<Point2>&, const Step&, Language, NumberStyle);
template std::string questionText(const ClosestPairRun<Point3>&, const Step&, Language, NumberStyle);
