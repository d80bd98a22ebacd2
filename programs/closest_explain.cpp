// Steps through the divide and conquer of a point set: the set of one of the five programs, a set
// that teaches, or a file of the user's. Prints the programs' report, then the steps (--steps) or
// a window that shows them one at a time (see explain/window.hpp for its keys); or, with --cost,
// only the table of what the search computed against all pairs; with --levels or --tree, only the
// set's recursion by depth or call by call; with --slide, only a step drawn as a slide.
#include "explain/driver.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "explain/stepper.hpp"
#include "explain/window.hpp"
#include "run/format.hpp"
#include "sets/program_sets.hpp"
#include "sets/teaching_sets.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <utility>

namespace {

// Bad input: the message on standard error, status 2, and no window.
[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "%s\n", explainMessage(what).c_str());
    std::exit(2);
}

// Whatever was written must have reached standard output: else a message and status 1.
void checkOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return;
    std::fprintf(stderr, "%s\n", explainMessage(std::string("cannot write the output: ") + std::strerror(errno)).c_str());
    std::exit(1);
}

void print(const std::string& text)
{
    if (!std::ferror(stdout))
        std::fwrite(text.data(), 1, text.size(), stdout);
}

void printHelp()
{
    std::printf("%s\n\n"
                "Steps through the divide and conquer that finds the closest pair of a point set, after the\n"
                "report of both searches.\n\n"
                "%s\n"
                "Keys in the window: %s\n",
                explainUsage().c_str(), optionsHelp().c_str(), stepKeysHelp(Language::en).c_str());
}

// The cost table; the seed on standard error once the kind is known to be good.
void printCost(const ExplainOptions& o, unsigned now)
{
    const unsigned seed = o.seed.value_or(now);
    bool started = false;
    try {
        writeCost(o, seed, [&](const std::string& line) {
            if (!std::exchange(started, true))
                std::fprintf(stderr, "seed %u\n", seed);
            print(line + "\n");
        });
    } catch (const OptionError& e) {
        fail(e.what());
    }
    checkOutput();
}

int explain(const ExplainOptions& o, char* program)
{
    ExplainedSet set;
    std::vector<Step> steps;
    try {
        set = openSet(o, readPointFile, static_cast<unsigned>(std::time(nullptr)));
        if (o.levels || o.tree) {
            if (set.seed >= 0)
                std::fprintf(stderr, "seed %lld\n", set.seed);
            writeCalls(set, o, [](const std::string& line) { print(line + "\n"); });
            releaseSet(set);
            checkOutput();
            return 0;
        }
        if (!o.text)
            steps = stepsToShow(set, o.step.value_or(1));
    } catch (const OptionError& e) {
        fail(e.what());
    }
    if (o.slide) {
        const std::string why = std::visit([&](const auto& run) { return drawSlide(run, std::move(steps), o); }, set.run);
        if (!why.empty()) {
            std::fprintf(stderr, "%s\n", explainMessage(why).c_str());
            return 1;
        }
        return 0;
    }
    if (set.seed >= 0)
        std::fprintf(stderr, "seed %lld\n", set.seed);
    print(reportOf(set));
    if (o.listing)
        print(listingText(o.language));
    if (o.steps)
        writeSteps(set, o.text ? nullptr : &steps, o, [](const std::string& line) { print(line + "\n"); });
    checkOutput();
    if (o.text) {
        releaseSet(set);
        return 0;
    }
    std::visit([&](const auto& run) { showSteps(run, std::move(steps), o, program); }, set.run);
    return 0; // not reached: the window ends the process
}

} // namespace

int main(int argc, char** argv)
{
    ExplainOptions options;
    try {
        options = parseExplainOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const OptionError& e) {
        fail(e.what());
    }
    try {
        if (options.help) {
            printHelp();
            checkOutput();
            return 0;
        }
        if (options.cost) {
            printCost(options, static_cast<unsigned>(std::time(nullptr)));
            return 0;
        }
        return explain(options, argv[0]);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", explainMessage("out of memory").c_str());
        return EXIT_FAILURE;
    }
}
