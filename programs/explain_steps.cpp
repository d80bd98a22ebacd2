#include "programs/explain_steps.hpp"

#include <cmath>
#include <cstdio>

namespace {

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string pointText(const Point2& p)
{
    char text[80];
    std::snprintf(text, sizeof text, "(%g, %g)", p.x, p.y);
    return text;
}

std::string pointText(const Point3& p)
{
    char text[120];
    std::snprintf(text, sizeof text, "(%g, %g, %g)", p.x, p.y, p.z);
    return text;
}

template <class Point>
std::string pairText(const ClosestPairRun<Point>& run, int first, int second)
{
    if (first < 0 || second < 0)
        return "nema para";
    return pointText(run.records[first]) + " - " + pointText(run.records[second]);
}

std::string distanceText(double squared) { return squared < DBL_MAX ? number(std::sqrt(squared)) : "beskonacno"; }

} // namespace

template <class Point>
std::string describeStep(const ClosestPairRun<Point>& run, const Step& step)
{
    const std::string records = std::to_string(step.count) + " tacaka";
    switch (step.kind) {
    case StepKind::split:
        return "Podela: " + records + " deli prava x = " + number(step.mx) + ": levo " + std::to_string(step.half) +
               ", desno " + std::to_string(step.count - step.half);
    case StepKind::leaf:
        return "Svi parovi: " + records + ", " + std::to_string(step.count * (step.count - 1) / 2) +
               " parova; najblizi " + pairText(run, step.first, step.second) + ", d = " + distanceText(step.best);
    case StepKind::combine:
        return "Spajanje: levo d = " + distanceText(step.best) + ", desno d = " + distanceText(step.other) +
               (step.other < step.best  ? "; ostaje desni par " + pairText(run, step.third, step.fourth)
                : step.other == step.best ? "; jednaki, ostaje levi par " + pairText(run, step.first, step.second)
                                          : "; ostaje levi par " + pairText(run, step.first, step.second));
    case StepKind::strip:
        return "Pojas: od x = " + number(step.mx - std::sqrt(step.best)) + " do x = " +
               number(step.mx + std::sqrt(step.best)) + " (d = " + distanceText(step.best) + "): levo " +
               std::to_string(step.leftStrip) + ", desno " + std::to_string(step.rightStrip) + " tacaka";
    case StepKind::compare:
        return "Poredjenje " + pairText(run, step.first, step.second) + ": d = " + distanceText(step.best) +
               (step.best < step.other ? ", novi najbolji par" : ", nije manje od " + distanceText(step.other));
    case StepKind::answer:
        return "Rezultat poziva nad " + records + ": d = " + distanceText(step.best) + ", " +
               pairText(run, step.first, step.second);
    case StepKind::end:
        break;
    }
    const Point* first = step.first < 0 ? nullptr : &run.records[step.first];
    const Point* second = step.second < 0 ? nullptr : &run.records[step.second];
    return "Kraj: " + resultLine("Min: %f; ", step.best, first, second) + "; izracunato " +
           std::to_string(step.distances) + " rastojanja, svi parovi: " +
           std::to_string(static_cast<long long>(step.count) * (step.count - 1) / 2);
}

template std::string describeStep(const ClosestPairRun<Point2>&, const Step&);
template std::string describeStep(const ClosestPairRun<Point3>&, const Step&);
