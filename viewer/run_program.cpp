#include "viewer/run_program.hpp"

#include "run/report.hpp"
#include "scene/from_records.hpp"
#include "viewer/viewer.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

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
        addToScene(run.records, run.count, run.first, run.second);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: out of memory\n", name);
        return EXIT_FAILURE;
    }
    startViewer(argc, argv);
    return 0;
}

template int runProgram(const PointSource<Point2>&, int, char**);
template int runProgram(const PointSource<Point3>&, int, char**);
