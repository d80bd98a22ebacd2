#include "programs/driver.hpp"

#include "scene/scene.hpp"
#include "search/divide.hpp"
#include "viewer/viewer.hpp"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
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

void printPair(std::FILE* out, const Point2& a, const Point2& b)
{
    std::fprintf(out, "Izmedju (%f, %f) - (%f, %f)\n", a.x, a.y, b.x, b.y);
}

void printPair(std::FILE* out, const Point3& a, const Point3& b)
{
    std::fprintf(out, "Izmedju (%f, %f, %f) - (%f, %f, %f)\n", a.x, a.y, a.z, b.x, b.y, b.z);
}

// Prints the distance and the pair; with no pair (fewer than two records, or every squared
// distance overflowing) there is nothing to name, so it says so instead of reading empty slots.
template <class Point>
void printResult(std::FILE* out, const char* format, double squared, const Point* first, const Point* second)
{
    std::fprintf(out, format, std::sqrt(squared));
    if (first != nullptr && second != nullptr && squared < DBL_MAX)
        printPair(out, *first, *second);
    else
        std::fprintf(out, "Izmedju nema para\n");
}

} // namespace

template <class Point>
ClosestPairRun<Point> prepareRun(const PointSource<Point>& source)
{
    constexpr int dims = dimensionOf<Point>;
    ClosestPairRun<Point> run;
    run.count = source.count;
    run.records = allocate<Point>(source.count);
    run.byX = allocate<Point*>(source.count);
    run.byY = allocate<Point*>(source.count);

    if (source.table == nullptr)
        std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (int i = 0; i < source.count; ++i) {
        run.byX[i] = &run.records[i];
        if (source.table != nullptr) {
            run.records[i] = source.table[i];
        } else {
            int values[dims];
            for (int& value : values)
                value = std::rand() % source.modulus;
            setCoordinates(run.records[i], values);
        }
    }
    if (source.count > 0) {
        std::memcpy(run.byY, run.byX, sizeof(Point*) * static_cast<std::size_t>(source.count));
        std::qsort(run.byX, source.count, sizeof(Point*), compareByX<Point>);
        std::qsort(run.byY, source.count, sizeof(Point*), compareByY<Point>);
    }
    return run;
}

template <class Point>
void searchAndReport(ClosestPairRun<Point>& run, std::FILE* out)
{
    const long long t0 = clockMilliseconds();
    const double d1 = findClosestDivide(run.byX, run.count, run.byY, run.count, &run.first, &run.second);
    printResult(out, "Min: %f; ", d1, run.first, run.second);
    const long long t1 = clockMilliseconds();
    std::fprintf(out, "Vreme: %f\n", static_cast<double>(t1 - t0) / 1000.0);

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
template void searchAndReport(ClosestPairRun<Point2>&, std::FILE*);
template void searchAndReport(ClosestPairRun<Point3>&, std::FILE*);
template void addToScene(const ClosestPairRun<Point2>&);
template void addToScene(const ClosestPairRun<Point3>&);
template int runProgram(const PointSource<Point2>&, int, char**);
template int runProgram(const PointSource<Point3>&, int, char**);
