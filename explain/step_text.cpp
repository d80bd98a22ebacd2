#include "explain/step_text.hpp"

#include "run/format.hpp"
#include "run/report.hpp"

#include <cmath>

namespace {

template <class Point>
std::string recordPairText(const ClosestPairRun<Point>& run, RecordPair pair)
{
    return pair.exists() ? pairText(&run.records[pair.first], &run.records[pair.second], shortestText)
                         : pairText<Point>(nullptr, nullptr, shortestText);
}

std::string distanceText(double squared)
{
    return squared < DBL_MAX ? shortestText(std::sqrt(squared)) : "beskonacno";
}

std::string recordsText(int count) { return std::to_string(count) + " tacaka"; }

template <class Point>
struct Describe {
    const ClosestPairRun<Point>& run;

    std::string operator()(const SplitStep& s) const
    {
        return "Podela: " + recordsText(s.call.records.count) + " deli prava x = " + shortestText(s.call.mx) +
               ": levo " + std::to_string(s.call.half) + ", desno " + std::to_string(s.call.records.count - s.call.half);
    }
    std::string operator()(const LeafStep& s) const
    {
        return "Svi parovi: " + recordsText(s.call.count) + ", " + std::to_string(pairCount(s.call.count)) +
               " parova; najblizi " + recordPairText(run, s.pair) + ", d = " + distanceText(s.bestSquared);
    }
    std::string operator()(const CombineStep& s) const
    {
        const char* choice = s.keepsRight                       ? "; ostaje desni par "
                             : s.leftSquared == s.rightSquared ? "; jednaki, ostaje levi par "
                                                               : "; ostaje levi par ";
        return "Spajanje: levo d = " + distanceText(s.leftSquared) + ", desno d = " + distanceText(s.rightSquared) +
               choice + recordPairText(run, s.kept());
    }
    std::string operator()(const StripStep& s) const
    {
        const double width = std::sqrt(s.strip.widthSquared);
        return "Pojas: od x = " + shortestText(s.call.mx - width) + " do x = " + shortestText(s.call.mx + width) +
               " (d = " + distanceText(s.strip.widthSquared) + "): levo " + std::to_string(s.strip.leftCount) +
               ", desno " + std::to_string(s.strip.rightCount) + " tacaka";
    }
    std::string operator()(const CompareStep& s) const
    {
        return "Poredjenje " + recordPairText(run, s.compared) + ": d = " + distanceText(s.distanceSquared) +
               (s.newBest ? ", novi najbolji par" : ", nije manje od " + distanceText(s.bestSquared));
    }
    std::string operator()(const AnswerStep& s) const
    {
        return "Rezultat poziva nad " + recordsText(s.call.records.count) + ": d = " + distanceText(s.bestSquared) +
               ", " + recordPairText(run, s.pair);
    }
    std::string operator()(const EndStep& s) const
    {
        const Point* first = s.pair.first < 0 ? nullptr : &run.records[s.pair.first];
        const Point* second = s.pair.second < 0 ? nullptr : &run.records[s.pair.second];
        return "Kraj: " + resultLine("Min: %f; ", s.bestSquared, first, second) + "; izracunato " +
               std::to_string(s.distances) + " rastojanja, svi parovi: " + std::to_string(pairCount(s.count));
    }
};

} // namespace

template <class Point>
std::string describeStep(const ClosestPairRun<Point>& run, const Step& step)
{
    return std::visit(Describe<Point>{run}, step);
}

template <class Point>
std::string numberedStep(const ClosestPairRun<Point>& run, const Step& step, std::size_t number, std::size_t total)
{
    return "Korak " + std::to_string(number) + " od " + std::to_string(total) + ": " + describeStep(run, step);
}

template std::string describeStep(const ClosestPairRun<Point2>&, const Step&);
template std::string describeStep(const ClosestPairRun<Point3>&, const Step&);
template std::string numberedStep(const ClosestPairRun<Point2>&, const Step&, std::size_t, std::size_t);
template std::string numberedStep(const ClosestPairRun<Point3>&, const Step&, std::size_t, std::size_t);
