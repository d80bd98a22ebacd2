// What closest_explain and the page share: a user's request (a program's set, a set that teaches,
// a text of points; the step to open at) turned into a run with its report and steps, or refused
// with closest_explain's message. The front ends keep only printing, windows and the page's script.
#pragma once

#include "explain/options.hpp"
#include "explain/steps.hpp"

#include <functional>
#include <string>
#include <variant>
#include <vector>

using AnyRun = std::variant<ClosestPairRun<Point2>, ClosestPairRun<Point3>>;

// A set ready to report and step through. Its run is malloc'd: hand it back with releaseSet.
struct ExplainedSet {
    AnyRun run;
    std::string name;    // the program, the set's kind, or the file, as messages name it
    long long seed = -1; // the seed of a random set, or -1
    RecordPair dividePair{}, brutePair{}; // the report's pairs (none before it, and none when a search is skipped)
};

// The text of a point file of that name: from disk natively (read into storage), what the user
// gave in the page (held by the page, so that a large text is not copied). The view lasts until
// storage changes or the set is opened.
using PointReader = std::function<std::string_view(const std::string& name, std::string& storage)>;

// The set the options name: a program's (closest2d_fixed14 when none is named), a set that
// teaches, or a point file read through read. A random set without a seed takes now. Throws
// OptionError for what it refuses, std::bad_alloc when memory runs out.
ExplainedSet openSet(const ExplainOptions& options, const PointReader& read, unsigned now);

void releaseSet(ExplainedSet& set);

int recordCount(const AnyRun& run);

// Whether the steps of so many records are shown, and if not, why.
bool stepsShown(int count);
std::string tooManyForSteps(int count);

// Every step of the set, to be shown from step (counting from 1). Throws OptionError when the set
// is too large for the steps or the step lies beyond them.
std::vector<Step> stepsToShow(const ExplainedSet& set, long long step);

// The four report lines, as the programs print them (the brute force skipped on large sets); the
// set keeps the pairs they name.
std::string reportOf(ExplainedSet& set);

// Said under the report when its two searches named different pairs at the same distance: the
// brute force keeps the first pair in x order that reaches it, the divide and conquer the left
// half's pair on a tie, and the halves' pair over a strip pair only as close. Else "".
std::string equalDistancesNote(const ExplainedSet& set, Language language);

// The listing, numbered, a line each, as --listing prints it after the report.
std::string listingText(Language language);

// Every step as a line of text in the options' language, with "[N] " first, N its listing line,
// when they ask for the listing, and each question they ask for on a line "? ..." before its
// step; from the recorded steps, or else streamed so that none is held.
void writeSteps(const ExplainedSet& set, const std::vector<Step>* recorded, const ExplainOptions& options,
                const std::function<void(const std::string&)>& line);

// The table that --levels or --tree asks for, a line each: the set's levels under their header, or
// its calls. Throws OptionError when the set is too large for the steps.
void writeCalls(const ExplainedSet& set, const ExplainOptions& options,
                const std::function<void(const std::string&)>& line);

// The cost table that --cost asks for, counted from seed: the header, then a row for each size of
// set, each handed to line as soon as it is counted. Throws OptionError for a kind of no set.
void writeCost(const ExplainOptions& options, unsigned seed, const std::function<void(const std::string&)>& line);
