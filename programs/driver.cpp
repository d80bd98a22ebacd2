#include "programs/driver.hpp"

#include "scene/scene.hpp"
#include "search/divide.hpp"
#include "viewer/viewer.hpp"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <thread>
#include <vector>

namespace {

// Elapsed wall-clock time in whole milliseconds (clock() would count processor time).
long long clockMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

template <class T>
T* allocate(int count)
{
    void* block = std::malloc(sizeof(T) * static_cast<std::size_t>(count));
    if (block == nullptr && count > 0)
        throw std::bad_alloc();
    return static_cast<T*>(block);
}

void setCoordinates(Point2& p, const int* values) { p = Point2{double(values[0]), double(values[1])}; }
void setCoordinates(Point3& p, const int* values)
{
    p = Point3{double(values[0]), double(values[1]), double(values[2])};
}

// printf into a string of whatever length it takes (a %f of 1e308 has over 300 digits).
[[gnu::format(printf, 1, 2)]] std::string format(const char* pattern, ...)
{
    std::va_list args, again;
    va_start(args, pattern);
    va_copy(again, args);
    std::string text(static_cast<std::size_t>(std::vsnprintf(nullptr, 0, pattern, args)), '\0');
    std::vsnprintf(text.data(), text.size() + 1, pattern, again);
    va_end(again);
    va_end(args);
    return text;
}

std::string pairText(const Point2& a, const Point2& b)
{
    return format("Izmedju (%f, %f) - (%f, %f)", a.x, a.y, b.x, b.y);
}

std::string pairText(const Point3& a, const Point3& b)
{
    return format("Izmedju (%f, %f, %f) - (%f, %f, %f)", a.x, a.y, a.z, b.x, b.y, b.z);
}

} // namespace

// With no pair (fewer than two records, or every squared distance overflowing) there is nothing
// to name, so the line says so instead of reading empty slots.
template <class Point>
std::string resultLine(const char* distanceFormat, double squared, const Point* first, const Point* second)
{
    const std::string distance = format(distanceFormat, std::sqrt(squared));
    if (first != nullptr && second != nullptr && squared < DBL_MAX)
        return distance + pairText(*first, *second);
    return distance + "Izmedju nema para";
}

namespace {

template <class Point>
void printResult(std::FILE* out, const char* distanceFormat, double squared, const Point* first, const Point* second)
{
    std::fprintf(out, "%s\n", resultLine(distanceFormat, squared, first, second).c_str());
}

} // namespace

template <class Point>
ClosestPairRun<Point> prepareRun(const PointSource<Point>& source)
{
    constexpr int dims = dimensionOf<Point>;
    Point* records = allocate<Point>(source.count);
    if (source.table == nullptr)
        std::srand(static_cast<unsigned>(source.seed >= 0 ? source.seed : std::time(nullptr)));
    for (int i = 0; i < source.count; ++i) {
        if (source.table != nullptr) {
            records[i] = source.table[i];
        } else {
            int values[dims];
            for (int& value : values)
                value = std::rand() % source.modulus;
            setCoordinates(records[i], values);
        }
    }
    return sortRun(records, source.count);
}

template <class Point>
ClosestPairRun<Point> sortRun(Point* records, int count, bool fast)
{
    ClosestPairRun<Point> run;
    run.count = count;
    run.records = records;
    run.byX = allocate<Point*>(count);
    run.byY = allocate<Point*>(count);
    for (int i = 0; i < count; ++i)
        run.byX[i] = &records[i];
    if (count > 0)
        std::memcpy(run.byY, run.byX, sizeof(Point*) * static_cast<std::size_t>(count));
    if (fast) {
        std::thread byY([&run, count] {
            std::stable_sort(run.byY, run.byY + count, [](const Point* a, const Point* b) { return a->y < b->y; });
        });
        std::stable_sort(run.byX, run.byX + count, [](const Point* a, const Point* b) { return a->x < b->x; });
        byY.join();
    } else if (count > 0) {
        std::qsort(run.byX, count, sizeof(Point*), compareByX<Point>);
        std::qsort(run.byY, count, sizeof(Point*), compareByY<Point>);
    }
    return run;
}

template <class Point>
void searchAndReport(ClosestPairRun<Point>& run, std::FILE* out, int bruteForceMost)
{
    const long long t0 = clockMilliseconds();
    const double d1 = findClosestDivide(run.byX, run.count, run.byY, run.count, &run.first, &run.second);
    printResult(out, "Min: %f; ", d1, run.first, run.second);
    const long long t1 = clockMilliseconds();
    std::fprintf(out, "Vreme: %f\n", static_cast<double>(t1 - t0) / 1000.0);
    if (run.count > bruteForceMost) {
        std::fprintf(out, "Provera svih parova preskocena: %d tacaka je vise od %d\n", run.count, bruteForceMost);
        return;
    }

    const long long t2 = clockMilliseconds();
    const double d2 = findClosestBrute(run.byX, run.count, &run.first, &run.second);
    printResult(out, "Min: %g; ", d2, run.first, run.second);
    const long long t3 = clockMilliseconds();
    std::fprintf(out, "Vreme: %f\n", static_cast<double>(t3 - t2) / 1000.0);
}

template <class Point>
void addToScene(const ClosestPairRun<Point>& run)
{
    std::vector<ScenePoint> staging(static_cast<std::size_t>(run.count));
    for (int i = 0; i < run.count; ++i) {
        const Point& p = run.records[i];
        staging[i].x = static_cast<float>(p.x);
        staging[i].y = static_cast<float>(p.y);
        if constexpr (dimensionOf<Point> == 3)
            staging[i].z = static_cast<float>(p.z);
    }
    for (const ScenePoint& point : staging)
        addScenePoint(point, 9);
    if (run.first != nullptr && run.second != nullptr) {
        SceneSegment pair;
        pair.a = ScenePoint{static_cast<float>(run.first->x), static_cast<float>(run.first->y), 0};
        pair.b = ScenePoint{static_cast<float>(run.second->x), static_cast<float>(run.second->y), 0};
        addSceneSegment(pair, 0);
    }
}

template <class Point>
int runProgram(const PointSource<Point>& source, int argc, char** argv)
{
    const char* name = argc > 0 && argv[0] != nullptr ? argv[0] : "closest";
    if (const char* slash = std::strrchr(name, '/'))
        name = slash + 1;
    try {
        ClosestPairRun<Point> run = prepareRun(source);
        searchAndReport(run, stdout);
        std::fflush(stdout);
        addToScene(run);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: out of memory\n", name);
        return EXIT_FAILURE;
    }
    startViewer(argc, argv);
    return 0;
}

template ClosestPairRun<Point2> prepareRun(const PointSource<Point2>&);
template ClosestPairRun<Point3> prepareRun(const PointSource<Point3>&);
template std::string resultLine(const char*, double, const Point2*, const Point2*);
template std::string resultLine(const char*, double, const Point3*, const Point3*);
template ClosestPairRun<Point2> sortRun(Point2*, int, bool);
template ClosestPairRun<Point3> sortRun(Point3*, int, bool);
template void searchAndReport(ClosestPairRun<Point2>&, std::FILE*, int);
template void searchAndReport(ClosestPairRun<Point3>&, std::FILE*, int);
template void addToScene(const ClosestPairRun<Point2>&);
template void addToScene(const ClosestPairRun<Point3>&);
template int runProgram(const PointSource<Point2>&, int, char**);
template int runProgram(const PointSource<Point3>&, int, char**);
