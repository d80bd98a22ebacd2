// Steps through the divide and conquer of a point set: the set of one of the five programs, or a
// file of the user's. Prints the programs' report, then the steps (--steps) or a window that
// shows them one at a time (see explain/window.hpp for its keys).
#include "explain/limits.hpp"
#include "explain/options.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "explain/window.hpp"
#include "programs/point_sets.hpp"
#include "run/report.hpp"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

namespace {

// Bad input: the message on standard error, status 2, and no window.
[[noreturn]] void fail(const std::string& where, const std::string& what)
{
    std::fprintf(stderr, "closest_explain: %s%s\n", where.empty() ? "" : (where + ": ").c_str(), what.c_str());
    std::exit(2);
}

// Whatever was written must have reached standard output: else a message and status 1.
void checkOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return;
    std::fprintf(stderr, "closest_explain: cannot write the output: %s\n", std::strerror(errno));
    std::exit(1);
}

void printHelp()
{
    std::printf("%s\n\n"
                "Steps through the divide and conquer that finds the closest pair of a point set, after the\n"
                "report of both searches.\n\n"
                "  --like PROGRAM  the set of one of the programs (%s);\n"
                "                  closest2d_fixed14 when neither --like nor --points is given\n"
                "  --seed SECOND   a random program's seed, 0 to 4294967295 (the current second by default)\n"
                "  --points FILE   2 or 3 numbers a line, separated by spaces, tabs or commas; - is standard input\n"
                "  --text          no window: the report, and with --steps the steps\n"
                "  --steps         every step as a line of text\n"
                "  --step K        the step the window opens at, from 1\n\n"
                "Keys in the window: %s\n",
                explainUsage, programNames().c_str(), stepKeysHelp);
}

template <class Point>
int explain(ClosestPairRun<Point> run, const ExplainOptions& o, const std::string& where, char* program)
{
    std::vector<Step> steps;
    if (!o.text) {
        if (run.count > windowMostRecords)
            fail(where, std::to_string(run.count) + " records are more than the window steps through (" +
                            std::to_string(windowMostRecords) + "); --text reports on them");
        steps = recordSteps(run);
        if (o.step.value_or(1) > static_cast<long long>(steps.size()))
            fail("", "--step " + std::to_string(*o.step) + ": the steps are 1 to " + std::to_string(steps.size()));
    }
    searchAndReport(run, stdout, bruteForceMostRecords);
    if (o.steps) {
        // Without a window the steps are streamed, counted first, so that none is held.
        const std::size_t total = o.text ? countSteps(run) : steps.size();
        std::size_t number = 0;
        const auto print = [&](const Step& step) {
            if (!std::ferror(stdout))
                std::printf("%s\n", numberedStep(run, step, ++number, total).c_str());
        };
        if (o.text)
            emitSteps(run, print);
        else
            for (const Step& step : steps)
                print(step);
    }
    checkOutput();
    if (o.text) {
        releaseRun(run);
        return 0;
    }
    showSteps(run, std::move(steps), static_cast<std::size_t>(o.step.value_or(1) - 1), program);
}

int fromFile(const ExplainOptions& o, char* program)
{
    const std::string& name = *o.points;
    PointText text;
    try {
        text = parsePoints(readWholeFile(name));
    } catch (const InputError& e) {
        fail("", inputErrorText(name, e));
    }
    if (text.count() > INT_MAX)
        fail(name, "more records than the search takes (" + std::to_string(INT_MAX) + ")");
    if (text.dimension == 2)
        return explain(runOf<Point2>(text), o, name, program);
    return explain(runOf<Point3>(text), o, name, program);
}

int fromProgram(const ExplainOptions& o, char* program)
{
    const std::string name = o.like.value_or("closest2d_fixed14");
    AnyPointSource source;
    try {
        source = sourceOf(name, o.seed, static_cast<unsigned>(std::time(nullptr)));
    } catch (const OptionError& e) {
        fail("", e.what());
    }
    return std::visit(
        [&](const auto& s) {
            if (s.table == nullptr)
                std::fprintf(stderr, "seed %lld\n", s.seed);
            return explain(prepareRun(s), o, name, program);
        },
        source);
}

} // namespace

int main(int argc, char** argv)
{
    ExplainOptions options;
    try {
        options = parseExplainOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const OptionError& e) {
        fail("", e.what());
    }
    if (options.help) {
        printHelp();
        checkOutput();
        return 0;
    }
    try {
        return options.points ? fromFile(options, argv[0]) : fromProgram(options, argv[0]);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fprintf(stderr, "closest_explain: out of memory\n");
        return EXIT_FAILURE;
    }
}
