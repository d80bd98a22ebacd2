// The steps of the divide and conquer, recorded from the search itself through its observer. Each
// kind of step is a record of its own; distances are squared, and their names say so. Records
// are named by their index in the run's record array.
#pragma once

#include "run/run.hpp"
#include "search/divide.hpp"

#include <algorithm>
#include <type_traits>
#include <variant>
#include <vector>

// Two records, or none (both -1).
struct RecordPair {
    int first = -1;
    int second = -1;
    bool exists() const { return first >= 0 && second >= 0; }
};

// A call's records: byX[begin, begin + count) of the run's x-ordered array.
struct CallRecords {
    int begin = 0;
    int count = 0;
};

// A call that splits: its records, the size of its left half and the x of the split.
struct SplitCall {
    CallRecords records;
    int half = 0;
    double mx = 0;
};

// The strip of a call: half-width squared (the best when it was built), and how many records of
// each half lie in it: the last leftCount of the left half and the first rightCount of the right.
struct Strip {
    double widthSquared = 0;
    int leftCount = 0;
    int rightCount = 0;
};

struct SplitStep {
    SplitCall call;
};

// A call of at most divideLeafMostCount records, checked pair by pair.
struct LeafStep {
    CallRecords call;
    double bestSquared = 0;
    RecordPair pair;
};

// The halves' answers combined: the right one is kept only when strictly smaller.
struct CombineStep {
    SplitCall call;
    double leftSquared = 0, rightSquared = 0;
    RecordPair leftPair, rightPair;
    bool keepsRight = false;
    const RecordPair& kept() const { return keepsRight ? rightPair : leftPair; }
};

struct StripStep {
    SplitCall call;
    Strip strip;
    RecordPair bestPair; // of strip.widthSquared
};

// A left and a right record of the strip compared; a strictly smaller distance is the new best.
struct CompareStep {
    SplitCall call;
    Strip strip;
    RecordPair compared;
    double distanceSquared = 0;
    double bestSquared = 0; // the best before this comparison, of bestPair
    RecordPair bestPair;
    bool newBest = false;
    int comparison = 1; // which comparison of its left record in this strip, from 1
    // The best when the left record's turn began: its window, |b.y - a.y| < d, keeps this d for the
    // whole turn even as a comparison shrinks the best.
    double windowSquared = 0;
};

// What a splitting call returns.
struct AnswerStep {
    SplitCall call;
    double bestSquared = 0;
    RecordPair pair;
};

// The search's result over all count records, and how many distances it computed.
struct EndStep {
    int count = 0;
    double bestSquared = 0;
    RecordPair pair;
    long long distances = 0;
    int mostComparisons = 0; // the most comparisons any one left strip record made
};

using Step = std::variant<SplitStep, LeafStep, CombineStep, StripStep, CompareStep, AnswerStep, EndStep>;

// The records of a step's call, over the x order: the end's are all of them.
inline CallRecords callOf(const Step& step)
{
    return std::visit(
        [](const auto& s) -> CallRecords {
            using Kind = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<Kind, LeafStep>)
                return s.call;
            else if constexpr (std::is_same_v<Kind, EndStep>)
                return {0, s.count};
            else
                return s.call.records;
        },
        step);
}

// A call starts with its split or, for a small call, its leaf.
inline bool startsCall(const Step& step)
{
    return std::holds_alternative<SplitStep>(step) || std::holds_alternative<LeafStep>(step);
}

// What the divide and conquer computed, counted from its observer's calls: distances in leaves and
// in strips, the most comparisons one left strip record made (its comparisons come one after
// another within one strip), and the depth of the recursion: the most calls under way at once.
struct SearchCount {
    long long leafDistances = 0;
    long long stripDistances = 0;
    int mostComparisons = 0;
    int depth = 0;
    int callsUnderWay = 0;          // splitting calls
    const void* lastLeft = nullptr; // the left record of the last comparison in this strip
    int lastLeftComparisons = 0;

    long long distances() const { return leafDistances + stripDistances; }
    void split() { depth = std::max(depth, ++callsUnderWay); }
    void leaf(int count)
    {
        leafDistances += pairCount(count);
        depth = std::max(depth, callsUnderWay + 1);
    }
    void strip() { lastLeft = nullptr; }
    void compare(const void* left)
    {
        ++stripDistances;
        lastLeftComparisons = left == lastLeft ? lastLeftComparisons + 1 : 1;
        lastLeft = left;
        mostComparisons = std::max(mostComparisons, lastLeftComparisons);
    }
    void answer() { --callsUnderWay; }
};

// Observes the divide and conquer and hands each step, in order, to emit(const Step&).
template <class Point, class Emit>
struct StepRecorder : SearchObserver<Point> {
    static constexpr bool active = true;

    struct Call {
        SplitCall split;
        Strip strip;
        RecordPair best; // the call's best pair so far
    };
    const ClosestPairRun<Point>& run;
    Emit emit;
    std::vector<Call> calls; // the splitting calls under way, innermost last
    SearchCount searchCount;
    double windowSquared = 0; // the window's d of the left record whose turn it is

    StepRecorder(const ClosestPairRun<Point>& r, Emit e) : run(r), emit(e) {}

    int index(const Point* p) const { return p == nullptr ? -1 : static_cast<int>(p - run.records); }
    RecordPair pairOf(const Point* a, const Point* b) const { return {index(a), index(b)}; }
    CallRecords recordsOf(Point* const* byX, int count) const { return {static_cast<int>(byX - run.byX), count}; }

    void split(Point* const* byX, int count, int half, double mx)
    {
        searchCount.split();
        Call call;
        call.split = {recordsOf(byX, count), half, mx};
        calls.push_back(call);
        emit(SplitStep{calls.back().split});
    }
    void leaf(Point* const* byX, int count, double best, Point* first, Point* second)
    {
        searchCount.leaf(count);
        const bool paired = count >= 2 && best < DBL_MAX;
        emit(LeafStep{recordsOf(byX, count), best, paired ? pairOf(first, second) : RecordPair{}});
    }
    void combine(double left, Point* leftFirst, Point* leftSecond, double right, Point* rightFirst,
                 Point* rightSecond)
    {
        Call& c = calls.back();
        const CombineStep step{c.split,   left, right, pairOf(leftFirst, leftSecond), pairOf(rightFirst, rightSecond),
                               right < left};
        c.best = step.kept();
        emit(step);
    }
    void strip(double, double best, int leftCount, int rightCount)
    {
        searchCount.strip();
        Call& c = calls.back();
        c.strip = Strip{best, leftCount, rightCount};
        emit(StripStep{c.split, c.strip, c.best});
    }
    void compare(Point* l, Point* r, double d, double best)
    {
        searchCount.compare(l);
        Call& c = calls.back();
        const int comparison = searchCount.lastLeftComparisons;
        windowSquared = comparison == 1 ? best : windowSquared; // nothing shrank it before the turn's first
        const CompareStep step{c.split, c.strip, pairOf(l, r), d, best, c.best, d < best, comparison, windowSquared};
        if (step.newBest)
            c.best = step.compared;
        emit(step);
    }
    void answer(Point* const*, int, double best, Point* first, Point* second)
    {
        const AnswerStep step{calls.back().split, best, pairOf(first, second)};
        calls.pop_back();
        searchCount.answer();
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
    EndStep end;
    end.count = run.count;
    end.bestSquared = findClosestDivide(run.byX, run.count, run.byY, run.count, &first, &second, &recorder);
    end.pair = recorder.pairOf(first, second);
    end.distances = recorder.searchCount.distances();
    end.mostComparisons = recorder.searchCount.mostComparisons;
    emit(Step{end});
}

// Every step of the run, in order.
template <class Point>
std::vector<Step> recordSteps(const ClosestPairRun<Point>& run)
{
    std::vector<Step> steps;
    emitSteps(run, [&steps](const Step& step) { steps.push_back(step); });
    return steps;
}

// How many steps the run has.
template <class Point>
std::size_t countSteps(const ClosestPairRun<Point>& run)
{
    std::size_t count = 0;
    emitSteps(run, [&count](const Step&) { ++count; });
    return count;
}
