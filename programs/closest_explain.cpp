// Steps through the divide and conquer of a point set: the set of one of the five programs, or a
// file of the user's. Prints the programs' report, then the steps (--steps) or a window that
// shows them one at a time (see explain_window.hpp for its keys).
//
// Usage: closest_explain [--like PROGRAM [--seed SECOND]] [--points FILE] [--text] [--steps] [--step K]
#include "programs/explain_window.hpp"
#include "programs/point_file.hpp"
#include "programs/sources.hpp"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <variant>

namespace {

// Checking every pair grows with the square of the count: above this many records the report
// skips it.
constexpr int bruteForceMostRecords = 200'000;

struct Options {
    std::string like;   // one of the five programs
    long long seed = -1;
    std::string points; // a file, or - for standard input
    bool text = false, steps = false;
    long long step = 1;
};

using AnySource = std::variant<PointSource<Point2>, PointSource<Point3>>;

struct Program {
    const char* name;
    AnySource source;
};

const Program programs[] = {
    {"closest2d_fixed14", fixed2d14}, {"closest2d_rand14", random2d14}, {"closest2d_rand10k", random2d10k},
    {"closest3d_rand14", random3d14}, {"closest3d_rand10k", random3d10k},
};

// Bad input: the message on standard error, status 2, and no window.
[[noreturn]] void fail(const std::string& where, const std::string& what)
{
    std::fprintf(stderr, "closest_explain: %s%s\n", where.empty() ? "" : (where + ": ").c_str(), what.c_str());
    std::exit(2);
}

long long wholeNumber(const char* option, const char* text)
{
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (*text == '\0' || *end != '\0' || errno != 0 || value < 0)
        fail("", std::string(option) + " takes a whole number, not '" + text + "'");
    return value;
}

Options parseOptions(int argc, char** argv)
{
    Options o;
    bool seedGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool takesValue = option == "--like" || option == "--seed" || option == "--points" || option == "--step";
        if (takesValue && i + 1 == argc)
            fail("", option + " needs a value");
        if (option == "--like")
            o.like = argv[++i];
        else if (option == "--seed")
            o.seed = wholeNumber("--seed", argv[++i]), seedGiven = true;
        else if (option == "--points")
            o.points = argv[++i];
        else if (option == "--step")
            o.step = wholeNumber("--step", argv[++i]);
        else if (option == "--text")
            o.text = true;
        else if (option == "--steps")
            o.steps = true;
        else
            fail("", "unknown option '" + option + "'; usage: closest_explain [--like PROGRAM [--seed SECOND]] "
                                                   "[--points FILE] [--text] [--steps] [--step K]");
    }
    if (!o.like.empty() && !o.points.empty())
        fail("", "--like and --points each give a set: take one");
    if (seedGiven && o.like.empty())
        fail("", "--seed goes with --like and a random program");
    return o;
}

template <class Point>
int explain(ClosestPairRun<Point> run, const Options& o, const std::string& where, char* program)
{
    if (!o.text && run.count > windowMostRecords)
        fail(where, std::to_string(run.count) + " records are more than the window steps through (" +
                        std::to_string(windowMostRecords) + "); --text reports on them");
    searchAndReport(run, stdout, bruteForceMostRecords);
    if (o.steps) {
        long long total = 0, number = 0;
        emitSteps(run, [&total](const Step&) { ++total; });
        emitSteps(run, [&](const Step& step) {
            std::printf("Korak %lld od %lld: %s\n", ++number, total, describeStep(run, step).c_str());
        });
    }
    std::fflush(stdout);
    if (o.text) {
        releaseRun(run);
        return 0;
    }
    std::vector<Step> steps = recordSteps(run);
    if (o.step < 1 || o.step > static_cast<long long>(steps.size()))
        fail("", "--step " + std::to_string(o.step) + ": the steps are 1 to " + std::to_string(steps.size()));
    showSteps(run, std::move(steps), static_cast<std::size_t>(o.step - 1), program);
}

// A run over the numbers of a file, as records of its dimension.
template <class Point>
ClosestPairRun<Point> runOver(const PointText& text)
{
    auto* records = static_cast<Point*>(std::malloc(sizeof(Point) * static_cast<std::size_t>(text.count())));
    if (records == nullptr)
        throw std::bad_alloc();
    for (long long i = 0; i < text.count(); ++i) {
        double* c = &records[i].x;
        for (int k = 0; k < dimensionOf<Point>; ++k)
            c[k] = text.coordinates[i * dimensionOf<Point> + k];
    }
    return sortRun(records, static_cast<int>(text.count()), true);
}

int fromFile(const Options& o, char* program)
{
    PointText text;
    try {
        text = parsePoints(readWholeFile(o.points));
    } catch (const InputError& e) {
        fail(e.line > 0 ? o.points + ":" + std::to_string(e.line) : o.points, e.what());
    }
    if (text.count() > INT_MAX)
        fail(o.points, "more records than the search takes (" + std::to_string(INT_MAX) + ")");
    if (text.dimension == 2) {
        ClosestPairRun<Point2> run = runOver<Point2>(text);
        text = PointText{};
        return explain(run, o, o.points, program);
    }
    ClosestPairRun<Point3> run = runOver<Point3>(text);
    text = PointText{};
    return explain(run, o, o.points, program);
}

int fromProgram(const Options& o, char* program)
{
    const std::string name = o.like.empty() ? "closest2d_fixed14" : o.like;
    const Program* found = nullptr;
    for (const Program& p : programs)
        if (name == p.name)
            found = &p;
    if (found == nullptr)
        fail("", "no program '" + name + "'; the programs are closest2d_fixed14, closest2d_rand14, "
                                         "closest2d_rand10k, closest3d_rand14 and closest3d_rand10k");
    return std::visit(
        [&](auto source) {
            if (source.table != nullptr && o.seed >= 0)
                fail("", name + " has a fixed set and takes no seed");
            if (source.table == nullptr) {
                source.seed = o.seed >= 0 ? o.seed : static_cast<long long>(std::time(nullptr));
                std::fprintf(stderr, "seed %lld\n", source.seed);
            }
            return explain(prepareRun(source), o, name, program);
        },
        found->source);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);
    try {
        return options.points.empty() ? fromProgram(options, argv[0]) : fromFile(options, argv[0]);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fprintf(stderr, "closest_explain: out of memory\n");
        return EXIT_FAILURE;
    }
}
