#include "explain/driver.hpp"

#include "explain/ask.hpp"
#include "explain/calls.hpp"
#include "explain/cost.hpp"
#include "explain/limits.hpp"
#include "explain/listing.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "run/format.hpp"
#include "run/report.hpp"
#include "sets/program_sets.hpp"
#include "sets/teaching_sets.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// A pair's records as text, in a fixed order: two pairs of records at the same places read the same.
template <class Point>
std::array<std::string, 2> pairPoints(const ClosestPairRun<Point>& run, RecordPair pair)
{
    std::array<std::string, 2> points{pointText(run.records[pair.first], shortestText),
                                      pointText(run.records[pair.second], shortestText)};
    std::sort(points.begin(), points.end());
    return points;
}

ExplainedSet fromFile(const std::string& name, const PointReader& read)
{
    PointText text;
    try {
        std::string storage;
        text = parsePoints(read(name, storage));
    } catch (const InputError& e) {
        throw OptionError(inputErrorText(name, e));
    }
    if (text.count() > INT_MAX)
        throw OptionError(name + ": more records than the search takes (" + std::to_string(INT_MAX) + ")");
    if (text.dimension == 2)
        return {runOf<Point2>(text), name};
    return {runOf<Point3>(text), name};
}

ExplainedSet fromProgram(const std::string& name, std::optional<unsigned> seed, unsigned now)
{
    const ProgramSet* program = findProgramSet(name);
    if (program == nullptr)
        throw OptionError("no program '" + shownText(name) + "'; the programs are " + namesText(programSets));
    return std::visit(
        [&](auto source) {
            if (source.table != nullptr && seed)
                throw OptionError(name + " has a fixed set and takes no seed");
            if (source.table == nullptr)
                source.seed = seed.value_or(now);
            return ExplainedSet{prepareRun(source), name, source.seed};
        },
        program->source);
}

// The set that teaches of that kind. Throws OptionError for a kind of none.
const TeachingSet& teachingSetNamed(const std::string& kind)
{
    const TeachingSet* set = findTeachingSet(kind);
    if (set == nullptr)
        throw OptionError("no set '" + shownText(kind) + "'; the sets are " + namesText(teachingSets));
    return *set;
}

ExplainedSet fromTeachingSet(const ExplainOptions& o, unsigned now)
{
    const TeachingSet* set = &teachingSetNamed(*o.set);
    const int count = static_cast<int>(o.count.value_or(teachingDefaultCount));
    const unsigned seed = o.seed.value_or(now);
    if (o.dimension.value_or(defaultDimension) == 2)
        return {teachingRun<Point2>(set->kind, count, seed), set->name, seed};
    return {teachingRun<Point3>(set->kind, count, seed), set->name, seed};
}

} // namespace

ExplainedSet openSet(const ExplainOptions& o, const PointReader& read, unsigned now)
{
    if (o.points)
        return fromFile(*o.points, read);
    if (o.set)
        return fromTeachingSet(o, now);
    return fromProgram(o.like.value_or(defaultProgram), o.seed, now);
}

void releaseSet(ExplainedSet& set)
{
    std::visit([](auto& run) { releaseRun(run); }, set.run);
}

int recordCount(const AnyRun& run)
{
    return std::visit([](const auto& r) { return r.count; }, run);
}

bool stepsShown(int count) { return count <= windowMostRecords; }

std::string tooManyForSteps(int count)
{
    return std::to_string(count) + " records are more than the steps are shown for (" +
           std::to_string(windowMostRecords) + ")";
}

std::vector<Step> stepsToShow(const ExplainedSet& set, long long step)
{
    const int count = recordCount(set.run);
    if (!stepsShown(count))
        throw OptionError(set.name + ": " + tooManyForSteps(count));
    std::vector<Step> steps = std::visit([](const auto& run) { return recordSteps(run); }, set.run);
    if (step > static_cast<long long>(steps.size()))
        throw OptionError("--step " + std::to_string(step) + ": the steps are 1 to " + std::to_string(steps.size()));
    return steps;
}

std::string reportOf(ExplainedSet& set)
{
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    if (out == nullptr)
        throw std::bad_alloc();
    std::visit(
        [&set, out](auto& run) {
            const auto index = [&run](const auto* p) { return p == nullptr ? -1 : static_cast<int>(p - run.records); };
            const auto divided = searchAndReport(run, out, bruteForceMostRecords);
            const bool checked = run.count <= bruteForceMostRecords;
            set.dividePair = {index(divided.first), index(divided.second)};
            set.brutePair = checked ? RecordPair{index(run.first), index(run.second)} : RecordPair{};
        },
        set.run);
    const bool failed = std::ferror(out) != 0;
    std::fclose(out);
    std::string lines(text == nullptr ? "" : text, size);
    std::free(text);
    if (failed)
        throw std::bad_alloc();
    return lines;
}

std::string equalDistancesNote(const ExplainedSet& set, Language language)
{
    const auto differ = [&set](const auto& run) {
        return pairPoints(run, set.dividePair) != pairPoints(run, set.brutePair);
    };
    const bool both = set.dividePair.exists() && set.brutePair.exists();
    return both && std::visit(differ, set.run) ? wordsOf(language).equalDistances : "";
}

std::string listingText(Language language)
{
    std::string text;
    const std::vector<std::string>& lines = listingLines(language);
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += printfText("%2zu  %s\n", i + 1, lines[i].c_str());
    return text;
}

void writeSteps(const ExplainedSet& set, const std::vector<Step>* recorded, const ExplainOptions& o,
                const std::function<void(const std::string&)>& line)
{
    std::visit(
        [&](const auto& run) {
            // Without recorded steps they are streamed, counted first, so that none is held.
            const std::size_t total = recorded != nullptr ? recorded->size() : countSteps(run);
            std::size_t number = 0;
            const auto write = [&](const Step& step) {
                if (o.questions && questionOf(step, *o.questions) != Question::none)
                    line("? " + questionText(run, step, o.language, {o.digits}));
                const std::string text = numberedStep(run, step, ++number, total, o.language, {o.digits});
                line(o.listing ? printfText("[%d] %s", listingLine(step), text.c_str()) : text);
            };
            if (recorded != nullptr)
                for (const Step& step : *recorded)
                    write(step);
            else
                emitSteps(run, write);
        },
        set.run);
}

void writeCost(const ExplainOptions& o, unsigned seed, const std::function<void(const std::string&)>& line)
{
    const TeachingSet& set = teachingSetNamed(o.set.value_or(costDefaultKind));
    line(costHeader());
    costRows(set.kind, o.dimension.value_or(defaultDimension), o.count.value_or(costDefaultMost), seed,
             [&line](const CostRow& row) { line(costLine(row)); });
}

void writeCalls(const ExplainedSet& set, const ExplainOptions& o, const std::function<void(const std::string&)>& line)
{
    const std::vector<CallNode> calls = callTree(stepsToShow(set, 1));
    if (o.tree) {
        for (const CallNode& call : calls)
            line(treeLine(call, o.language, {o.digits}));
        return;
    }
    line(levelsHeader());
    for (const LevelRow& row : levelRows(calls))
        line(levelLine(row));
}
