// The steps of the divide and conquer, as closest_explain shows them: recorded from the search
// itself through its observer, and told in words.
#pragma once

#include "programs/driver.hpp"
#include "search/divide.hpp"

#include <string>
#include <vector>

enum class StepKind { split, leaf, combine, strip, compare, answer, end };

// One step. A call's records are byX[begin, begin + count) of the whole x-ordered array; other
// records are named by their index in the record array (-1 for none). Distances are squared.
struct Step {
    StepKind kind;
    int begin = 0, count = 0;
    int half = 0;                 // records of the call's left half
    double mx = 0;                // x of the split
    double best = 0;              // leaf, answer, end: the call's result; strip: the best so far;
                                  // combine: the left half's; compare: the distance compared
    double other = 0;             // combine: the right half's best; compare: the best before it
    double strip = 0;             // strip, compare: the best when the strip was built, its half-width squared
    int first = -1, second = -1;  // the pair of best; compare: the left and the right record
    int third = -1, fourth = -1;  // combine: the right half's pair; compare: the best pair before it
    int leftStrip = 0, rightStrip = 0; // strip, compare: the last records of the left half and the
                                       // first of the right half that lie in the strip
    long long distances = 0;      // end: distances computed by the divide and conquer
};

// Observes the divide and conquer and hands each step, in order, to emit(const Step&).
template <class Point, class Emit>
struct StepRecorder : SearchObserver<Point> {
    static constexpr bool active = true;

    struct Call {
        int begin, count, half;
        double mx;
        double strip = 0;
        int leftStrip = 0, rightStrip = 0;
        int bestFirst = -1, bestSecond = -1; // the call's best pair so far
    };
    const ClosestPairRun<Point>& run;
    Emit emit;
    std::vector<Call> calls; // the splitting calls under way, innermost last
    long long distances = 0;

    StepRecorder(const ClosestPairRun<Point>& r, Emit e) : run(r), emit(e) {}

    int index(const Point* p) const { return p == nullptr ? -1 : static_cast<int>(p - run.records); }
    Step inCall(StepKind kind) const
    {
        const Call& c = calls.back();
        Step step{kind, c.begin, c.count, c.half, c.mx};
        step.strip = c.strip, step.leftStrip = c.leftStrip, step.rightStrip = c.rightStrip;
        return step;
    }
    void split(Point* const* byX, int count, int half, double mx)
    {
        calls.push_back({static_cast<int>(byX - run.byX), count, half, mx});
        emit(inCall(StepKind::split));
    }
    void leaf(Point* const* byX, int count, double best, Point* first, Point* second)
    {
        distances += static_cast<long long>(count) * (count - 1) / 2;
        Step step{StepKind::leaf, static_cast<int>(byX - run.byX), count};
        step.best = best;
        if (count >= 2 && best < DBL_MAX)
            step.first = index(first), step.second = index(second);
        emit(step);
    }
    void combine(double left, Point* leftFirst, Point* leftSecond, double right, Point* rightFirst,
                 Point* rightSecond)
    {
        Step step = inCall(StepKind::combine);
        step.best = left, step.other = right;
        step.first = index(leftFirst), step.second = index(leftSecond);
        step.third = index(rightFirst), step.fourth = index(rightSecond);
        Call& c = calls.back();
        c.bestFirst = right < left ? step.third : step.first;
        c.bestSecond = right < left ? step.fourth : step.second;
        emit(step);
    }
    void strip(double, double best, int leftCount, int rightCount)
    {
        Call& c = calls.back();
        c.strip = best, c.leftStrip = leftCount, c.rightStrip = rightCount;
        Step step = inCall(StepKind::strip);
        step.best = best, step.first = c.bestFirst, step.second = c.bestSecond;
        emit(step);
    }
    void compare(Point* l, Point* r, double d, double best)
    {
        ++distances;
        Call& c = calls.back();
        Step step = inCall(StepKind::compare);
        step.best = d, step.other = best, step.first = index(l), step.second = index(r);
        step.third = c.bestFirst, step.fourth = c.bestSecond;
        if (d < best)
            c.bestFirst = step.first, c.bestSecond = step.second;
        emit(step);
    }
    void answer(Point* const*, int, double best, Point* first, Point* second)
    {
        Step step = inCall(StepKind::answer);
        step.best = best, step.first = index(first), step.second = index(second);
        calls.pop_back();
        emit(step);
    }
};

// Runs the divide and conquer over the run's arrays once more and hands every step to emit, the
// end last. The result is the search's own, as the report printed it.
template <class Point, class Emit>
void emitSteps(const ClosestPairRun<Point>& run, Emit emit)
{
    StepRecorder<Point, Emit&> recorder(run, emit);
    Point *first = nullptr, *second = nullptr;
    Step end{StepKind::end, 0, run.count};
    end.best = findClosestDivide(run.byX, run.count, run.byY, run.count, &first, &second, &recorder);
    end.first = recorder.index(first), end.second = recorder.index(second);
    end.distances = recorder.distances;
    emit(end);
}

// Every step of the run, in order.
template <class Point>
std::vector<Step> recordSteps(const ClosestPairRun<Point>& run)
{
    std::vector<Step> steps;
    emitSteps(run, [&steps](const Step& step) { steps.push_back(step); });
    return steps;
}

// What a step shows, in the report's language, with its numbers.
template <class Point>
std::string describeStep(const ClosestPairRun<Point>& run, const Step& step);
