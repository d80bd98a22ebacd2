#include "explain/ask.hpp"

#include "run/format.hpp"

#include <algorithm>

namespace {

template <class Point>
struct Texts {
    const ClosestPairRun<Point>& run;
    Language language;
    NumberStyle numbers;
    const Words& w = wordsOf(language);

    auto writer() const
    {
        return [this](double value) { return numberText(value, numbers); };
    }
    std::string number(double value) const { return numberText(value, numbers); }
    std::string distance(double squared) const { return distanceText(squared, language, numbers); }
    std::string point(int record) const { return pointText(run.records[record], writer()); }
    std::string pair(RecordPair p) const
    {
        return p.exists() ? pairText(&run.records[p.first], &run.records[p.second], writer()) : w.noPair;
    }
    std::string records(int count, Noun noun = Noun::record) const { return counted(count, language, noun); }
    double x(int inXOrder) const { return run.byX[inXOrder]->x; }
};

} // namespace

Question questionOf(const Step& step, QuestionKinds kinds)
{
    const Question question = std::visit(
        [](const auto& s) {
            using Kind = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<Kind, SplitStep>)
                return Question::split;
            else if constexpr (std::is_same_v<Kind, LeafStep> || std::is_same_v<Kind, EndStep>)
                return s.pair.exists() ? (std::is_same_v<Kind, LeafStep> ? Question::leaf : Question::end)
                                       : Question::none;
            else if constexpr (std::is_same_v<Kind, StripStep>)
                return Question::strip;
            else if constexpr (std::is_same_v<Kind, CompareStep>)
                return Question::compare;
            else if constexpr (std::is_same_v<Kind, CombineStep>)
                return Question::combine;
            else
                return Question::none;
        },
        step);
    return question != Question::none && (kinds & kindBit(question)) ? question : Question::none;
}

bool choosesRecords(Question question)
{
    return question == Question::split || question == Question::leaf || question == Question::strip ||
           question == Question::end;
}

const char* answerWord(Question question, int answer, Language language)
{
    return wordsOf(language).answers[question == Question::combine][answer != 0];
}

template <class Point>
std::vector<int> stripRecords(const ClosestPairRun<Point>& run, const SplitCall& call, const Strip& strip)
{
    std::vector<int> records;
    const int middle = call.records.begin + call.half;
    for (int i = middle - strip.leftCount; i < middle + strip.rightCount; ++i)
        records.push_back(static_cast<int>(run.byX[i] - run.records));
    return records;
}

template <class Point>
int recordToward(const ClosestPairRun<Point>& run, CallRecords call, int from, double dx, double dy)
{
    const double length = std::hypot(dx, dy);
    if (from < 0 || length == 0)
        return from < 0 ? static_cast<int>(run.byX[call.begin] - run.records) : from;
    const Point& at = run.records[from];
    const auto fromPlace = std::find(run.byX + call.begin, run.byX + call.begin + call.count, &at) - run.byX;
    int best = from;
    double bestScore = INFINITY;
    bool bestInCone = false;
    for (int i = call.begin; i < call.begin + call.count; ++i) {
        const double vx = run.byX[i]->x - at.x, vy = run.byX[i]->y - at.y;
        const double along = (vx * dx + vy * dy) / length, across = std::fabs(vx * dy - vy * dx) / length;
        const bool equal = vx == 0 && vy == 0 && i != fromPlace && (i > fromPlace) == (dx + dy > 0);
        if (along <= 0 && !equal)
            continue;
        const bool inCone = across <= along;
        const double score = along * along + 4 * across * across;
        if ((inCone && !bestInCone) || (inCone == bestInCone && score < bestScore)) {
            best = static_cast<int>(run.byX[i] - run.records);
            bestScore = score;
            bestInCone = inCone;
        }
    }
    return best;
}

template <class Point>
bool isRight(const ClosestPairRun<Point>& run, const Step& step, const Answer& answer)
{
    const auto closest = [&](CallRecords call, double bestSquared) {
        if (answer.records.size() != 2 || answer.records[0] == answer.records[1])
            return false;
        for (const int r : answer.records) {
            const auto at = std::find(run.byX + call.begin, run.byX + call.begin + call.count, &run.records[r]);
            if (at == run.byX + call.begin + call.count)
                return false;
        }
        return squaredDistance(run.records[answer.records[0]], run.records[answer.records[1]]) == bestSquared;
    };
    if (const auto* s = std::get_if<SplitStep>(&step)) {
        const double x = answer.records.size() == 1 ? run.records[answer.records[0]].x : answer.x;
        const int middle = s->call.records.begin + s->call.half;
        return (run.byX[middle - 1]->x <= x && x <= run.byX[middle]->x) || std::fabs(x - s->call.mx) <= answer.reach;
    }
    if (const auto* s = std::get_if<LeafStep>(&step))
        return closest(s->call, s->bestSquared);
    if (const auto* s = std::get_if<EndStep>(&step))
        return closest({0, s->count}, s->bestSquared);
    if (const auto* s = std::get_if<StripStep>(&step)) {
        if (answer.left >= 0 || answer.right >= 0)
            return answer.left == s->strip.leftCount && answer.right == s->strip.rightCount;
        std::vector<int> chosen = answer.records, strip = stripRecords(run, s->call, s->strip);
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
        std::sort(strip.begin(), strip.end());
        return chosen == strip;
    }
    if (const auto* s = std::get_if<CompareStep>(&step))
        return answer.choice == (s->newBest ? 0 : 1);
    if (const auto* s = std::get_if<CombineStep>(&step))
        return answer.choice == (s->keepsRight ? 1 : 0);
    return false;
}

template <class Point>
std::string questionText(const ClosestPairRun<Point>& run, const Step& step, Language language, NumberStyle numbers)
{
    const Texts<Point> t{run, language, numbers};
    const Words& w = t.w;
    if (const auto* s = std::get_if<SplitStep>(&step))
        return filled(w.askSplit, {t.records(s->call.records.count, Noun::recordObject)});
    if (const auto* s = std::get_if<LeafStep>(&step))
        return filled(w.askLeaf, {t.records(s->call.count)});
    if (const auto* s = std::get_if<StripStep>(&step))
        return filled(w.askStrip, {t.number(s->call.mx), t.distance(s->strip.widthSquared)});
    if (const auto* s = std::get_if<CompareStep>(&step))
        return filled(w.askCompare, {std::to_string(s->comparison), t.point(s->compared.first),
                                     t.point(s->compared.second), t.distance(s->bestSquared)});
    if (std::holds_alternative<CombineStep>(step))
        return w.askCombine;
    if (const auto* s = std::get_if<EndStep>(&step))
        return filled(w.askEnd, {t.records(s->count, Noun::recordObject)});
    return "";
}

template <class Point>
std::string reasonText(const ClosestPairRun<Point>& run, const Step& step, Language language, NumberStyle numbers)
{
    const Texts<Point> t{run, language, numbers};
    const Words& w = t.w;
    if (const auto* s = std::get_if<SplitStep>(&step)) {
        const int middle = s->call.records.begin + s->call.half;
        return filled(w.whySplit, {t.number(s->call.mx), t.number(t.x(middle - 1)), t.number(t.x(middle))});
    }
    if (const auto* s = std::get_if<LeafStep>(&step))
        return filled(w.whyClosest, {t.pair(s->pair), t.distance(s->bestSquared)});
    if (const auto* s = std::get_if<EndStep>(&step))
        return filled(w.whyClosest, {t.pair(s->pair), t.distance(s->bestSquared)});
    if (const auto* s = std::get_if<StripStep>(&step)) {
        const double width = std::sqrt(s->strip.widthSquared);
        return filled(w.whyStrip, {t.number(s->call.mx - width), t.number(s->call.mx + width),
                                   t.distance(s->strip.widthSquared), std::to_string(s->strip.leftCount),
                                   std::to_string(s->strip.rightCount)});
    }
    if (const auto* s = std::get_if<CompareStep>(&step))
        return filled(s->newBest ? w.whyNewBest : w.whyNotBest, {t.distance(s->distanceSquared), t.distance(s->bestSquared)});
    if (const auto* s = std::get_if<CombineStep>(&step)) {
        const char* why = s->keepsRight ? w.whyRight : s->leftSquared == s->rightSquared ? w.whyTie : w.whyLeft;
        return filled(why, {t.distance(s->leftSquared), t.distance(s->rightSquared)});
    }
    return "";
}

void takeAnswer(AskScore& score, std::size_t index, bool right)
{
    score.firstRight.emplace(index, right);
    score.skipped.erase(index);
    score.last = index;
    score.lastRight = right;
}

void skipQuestions(AskScore& score, const std::vector<Step>& steps, QuestionKinds kinds, std::size_t from,
                   std::size_t to)
{
    for (std::size_t i = from + 1; i <= to && i < steps.size(); ++i)
        if (questionOf(steps[i], kinds) != Question::none && !score.firstRight.contains(i))
            score.skipped.insert(i);
}

template <class Point>
std::string verdictText(const ClosestPairRun<Point>& run, const AskScore& score, const std::vector<Step>& steps,
                        Language language, NumberStyle numbers)
{
    const Words& w = wordsOf(language);
    return filled(score.lastRight ? w.correct : w.incorrect, {reasonText(run, steps[score.last], language, numbers)});
}

std::string scoreText(const AskScore& score, Language language)
{
    const auto right = std::count_if(score.firstRight.begin(), score.firstRight.end(),
                                     [](const auto& answered) { return answered.second; });
    return filled(wordsOf(language).score,
                  {std::to_string(right), std::to_string(score.firstRight.size()), std::to_string(score.skipped.size())});
}

#define CLOSEST_ASK(Point)                                                                                            \
    template std::vector<int> stripRecords(const ClosestPairRun<Point>&, const SplitCall&, const Strip&);            \
    template int recordToward(const ClosestPairRun<Point>&, CallRecords, int, double, double);                      \
    template bool isRight(const ClosestPairRun<Point>&, const Step&, const Answer&);                                  \
    template std::string questionText(const ClosestPairRun<Point>&, const Step&, Language, NumberStyle);             \
    template std::string reasonText(const ClosestPairRun<Point>&, const Step&, Language, NumberStyle);               \
    template std::string verdictText(const ClosestPairRun<Point>&, const AskScore&, const std::vector<Step>&,         \
                                     Language, NumberStyle);
CLOSEST_ASK(Point2)
CLOSEST_ASK(Point3)
