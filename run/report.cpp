#include "run/report.hpp"

#include "run/format.hpp"
#include "search/divide.hpp"

#include <cfloat>
#include <cmath>
#include <ctime>

namespace {

// Elapsed wall-clock time in whole milliseconds (clock() would count processor time).
long long clockMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

template <class Point>
void printResult(std::FILE* out, const char* distanceFormat, double squared, const Point* first, const Point* second)
{
    std::fprintf(out, "%s\n", resultLine(distanceFormat, squared, first, second).c_str());
}

void printSeconds(std::FILE* out, long long from, long long to)
{
    std::fprintf(out, "Vreme: %f\n", static_cast<double>(to - from) / 1000.0);
}

} // namespace

template <class Point>
std::string resultLine(const char* distanceFormat, double squared, const Point* first, const Point* second)
{
    const bool paired = squared < DBL_MAX;
    return printfText(distanceFormat, std::sqrt(squared)) + "Izmedju " +
           pairText(paired ? first : nullptr, paired ? second : nullptr, fixedText);
}

template <class Point>
std::pair<Point*, Point*> searchAndReport(ClosestPairRun<Point>& run, std::FILE* out, int bruteForceMost)
{
    const long long t0 = clockMilliseconds();
    const double d1 = findClosestDivide(run.byX, run.count, run.byY, run.count, &run.first, &run.second);
    printResult(out, "Min: %f; ", d1, run.first, run.second);
    printSeconds(out, t0, clockMilliseconds());
    const std::pair<Point*, Point*> divided{run.first, run.second};
    if (run.count > bruteForceMost) {
        std::fprintf(out, "Provera svih parova preskocena: %d tacaka je vise od %d\n", run.count, bruteForceMost);
        return divided;
    }

    const long long t2 = clockMilliseconds();
    const double d2 = findClosestBrute(run.byX, run.count, &run.first, &run.second);
    printResult(out, "Min: %g; ", d2, run.first, run.second);
    printSeconds(out, t2, clockMilliseconds());
    return divided;
}

template std::string resultLine(const char*, double, const Point2*, const Point2*);
template std::string resultLine(const char*, double, const Point3*, const Point3*);
template std::pair<Point2*, Point2*> searchAndReport(ClosestPairRun<Point2>&, std::FILE*, int);
template std::pair<Point3*, Point3*> searchAndReport(ClosestPairRun<Point3>&, std::FILE*, int);
