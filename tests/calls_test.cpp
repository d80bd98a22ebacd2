// The recursion as a tree and by levels, from recorded steps: every call once under the call that
// was under way when it began, and the levels summing to what the cost table counts.
#include "explain/calls.hpp"
#include "explain/cost.hpp"
#include "explain/driver.hpp"
#include "explain/point_file.hpp"
#include "explain/stepper.hpp"
#include "sets/teaching_sets.hpp"

#include <gtest/gtest.h>

namespace {

constexpr TeachingKind allKinds[] = {TeachingKind::uniform, TeachingKind::line, TeachingKind::lattice,
                                     TeachingKind::clusters, TeachingKind::twins};

std::vector<Step> stepsOf(TeachingKind kind, int dimension, int count, std::uint32_t seed)
{
    const auto record = [](auto run) {
        std::vector<Step> steps = recordSteps(run);
        releaseRun(run);
        return steps;
    };
    return dimension == 2 ? record(teachingRun<Point2>(kind, count, seed)) : record(teachingRun<Point3>(kind, count, seed));
}

bool sameRecords(CallRecords a, CallRecords b) { return a.begin == b.begin && a.count == b.count; }

TEST(CallTree, EveryCallOnceUnderTheCallUnderWayWhenItBegan)
{
    for (TeachingKind kind : allKinds)
        for (int dimension : {2, 3})
            for (int count : {2, 9, 17, 100, 333}) {
                SCOPED_TRACE(testing::Message() << static_cast<int>(kind) << " " << dimension << "D " << count);
                const std::vector<Step> steps = stepsOf(kind, dimension, count, 11);
                const std::vector<CallNode> calls = callTree(steps);
                std::vector<std::size_t> starts, firsts;
                for (std::size_t i = 0; i < steps.size(); ++i)
                    if (startsCall(steps[i]))
                        starts.push_back(i);
                for (const CallNode& call : calls)
                    firsts.push_back(call.firstStep);
                EXPECT_EQ(firsts, starts) << "every call once, in the order they begin";
                ASSERT_FALSE(calls.empty());
                EXPECT_TRUE(calls[0].parent == -1 && sameRecords(calls[0].records, {0, count}) &&
                            calls[0].bestSquared == std::get<EndStep>(steps.back()).bestSquared);
                for (std::size_t c = 0; c < calls.size(); ++c) {
                    const CallNode& call = calls[c];
                    EXPECT_EQ(static_cast<std::size_t>(call.depth), callsUnderWay(steps, call.firstStep).size());
                    if (call.splits) {
                        const auto* answer = std::get_if<AnswerStep>(&steps[call.lastStep]);
                        ASSERT_TRUE(answer != nullptr && sameRecords(answer->call.records, call.records));
                        EXPECT_EQ(answer->bestSquared, call.bestSquared);
                    } else {
                        EXPECT_EQ(call.lastStep, call.firstStep);
                    }
                    if (c == 0)
                        continue;
                    ASSERT_GE(call.parent, 0);
                    const CallNode& parent = calls[static_cast<std::size_t>(call.parent)];
                    EXPECT_TRUE(parent.depth + 1 == call.depth && parent.underWayAt(call.firstStep) &&
                                call.records.begin >= parent.records.begin &&
                                call.records.begin + call.records.count <= parent.records.begin + parent.records.count)
                        << "call " << c << " under " << call.parent;
                }
                // The call at each step is the step's own; the end's is the whole set's.
                for (std::size_t i = 0; i < steps.size(); ++i) {
                    const int at = callAt(calls, i);
                    ASSERT_GE(at, 0);
                    EXPECT_TRUE(sameRecords(calls[static_cast<std::size_t>(at)].records, callOf(steps[i])) &&
                                calls[static_cast<std::size_t>(at)].firstStep <= i)
                        << "step " << i;
                }
            }
}

// At 10,000 records the panel shows the calls from the whole set's down to the current one, each
// with its children: few enough to read, and no call without its parent.
TEST(CallTree, FoldedBelowThePathToTheCurrentCall)
{
    const std::vector<Step> steps = stepsOf(TeachingKind::uniform, 2, 10'000, 3);
    const std::vector<CallNode> calls = callTree(steps);
    for (const std::size_t current : {std::size_t{0}, steps.size() / 3, steps.size() - 2}) {
        const int at = callAt(calls, current);
        const std::vector<int> shown = unfoldedCalls(calls, at, 40);
        const auto has = [&shown](int c) { return std::find(shown.begin(), shown.end(), c) != shown.end(); };
        EXPECT_LE(shown.size(), static_cast<std::size_t>(2 * calls[static_cast<std::size_t>(at)].depth + 1));
        for (int c = at; c >= 0; c = calls[static_cast<std::size_t>(c)].parent)
            EXPECT_TRUE(has(c)) << c;
        for (const int c : shown)
            EXPECT_TRUE(c == 0 || has(calls[static_cast<std::size_t>(c)].parent)) << c;
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    }
    EXPECT_EQ(unfoldedCalls(calls, 5, calls.size()).size(), calls.size()) << "all of them when they fit";
}

// Each depth's y-splits move every record of its splitting calls, which are the records of the
// depth below; over all depths they sum to the cost table's columns for the same set.
TEST(Levels, SumToTheCostRowAndMoveTheRecordsOfTheDepthBelow)
{
    const std::pair<int, long long> nLogN[] = {{16, 64}, {32, 160}, {64, 384}, {128, 896}, {256, 2048}, {300, 2700}};
    for (TeachingKind kind : allKinds)
        for (int dimension : {2, 3}) {
            std::size_t row = 0;
            costRows(kind, dimension, 300, 5, [&](const CostRow& cost) {
                SCOPED_TRACE(costLine(cost));
                ASSERT_LT(row, std::size(nLogN));
                EXPECT_TRUE(cost.count == nLogN[row].first && cost.nLogN == nLogN[row].second);
                ++row;
                const std::vector<LevelRow> levels = levelRows(callTree(stepsOf(kind, dimension, cost.count, 5)));
                ASSERT_EQ(levels.size(), static_cast<std::size_t>(cost.depth));
                EXPECT_TRUE(levels[0].calls == 1 && levels[0].records == cost.count);
                long long moved = 0, distances = 0;
                for (std::size_t d = 0; d < levels.size(); ++d) {
                    moved += levels[d].moved;
                    distances += levels[d].distances;
                    const long long below = d + 1 < levels.size() ? levels[d + 1].records : 0;
                    EXPECT_TRUE(levels[d].depth == static_cast<int>(d) + 1 && levels[d].moved == below &&
                                levels[d].records <= cost.count)
                        << levelLine(levels[d]);
                    if ((cost.count & (cost.count - 1)) == 0 && d + 1 < levels.size()) {
                        EXPECT_EQ(levels[d].moved, cost.count) << "every record moved at every depth above the leaves";
                    }
                }
                EXPECT_TRUE(moved == cost.moved && distances == cost.distances) << moved << " " << distances;
            });
            EXPECT_EQ(row, std::size(nLogN));
        }
}

// --tree and --levels for a set of nine records on a line: a split at x = 10 into two leaves.
TEST(Levels, TablesOfASmallSetAndTheRefusalOfALargeOne)
{
    const PointReader nine = [](const std::string&, std::string&) {
        return std::string_view("0 0\n1 0\n3 0\n6 0\n10 0\n15 0\n21 0\n28 0\n36 0\n");
    };
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"--tree", "--lang", "en"}, {"9 points, split x = 10, d = 1", "  4 points, all pairs, d = 1",
                                      "  5 points, all pairs, d = 5"}},
        {{"--tree", "--lang", "sr"}, {"9 tacaka, podela x = 10, d = 1", "  4 tacke, svi parovi, d = 1",
                                      "  5 tacaka, svi parovi, d = 5"}},
        {{"--levels"}, {"depth calls records moved strip distances", "1 1 9 9 1 0", "2 2 9 0 0 16"}},
    };
    for (const auto& [args, expected] : cases) {
        std::vector<std::string> words = args;
        words.insert(words.end(), {"--points", "nine"});
        const ExplainOptions o = parseExplainOptions(words);
        ExplainedSet set = openSet(o, nine, 0);
        std::vector<std::string> lines;
        writeCalls(set, o, [&lines](const std::string& line) { lines.push_back(line); });
        EXPECT_EQ(lines, expected);
        releaseSet(set);
    }
    // As the tree shows it at a step: a call to come by its records, one under way without its d.
    ExplainedSet set9 = openSet(parseExplainOptions({"--points", "nine"}), nine, 0);
    const std::vector<CallNode> calls = callTree(stepsToShow(set9, 1));
    EXPECT_EQ(treeLine(calls[0], Language::en, {}, 1), "9 points, split x = 10");
    EXPECT_EQ(treeLine(calls[2], Language::sr, {}, 1), "  5 tacaka");
    EXPECT_EQ(treeLine(calls[2], Language::en, {}, 2), "  5 points, all pairs, d = 5");
    releaseSet(set9);
    const ExplainOptions large = parseExplainOptions({"--levels", "--set", "line", "--count", "100001"});
    ExplainedSet set = openSet(large, readPointFile, 0);
    try {
        writeCalls(set, large, [](const std::string&) { FAIL(); });
        ADD_FAILURE() << "no refusal";
    } catch (const OptionError& e) {
        EXPECT_STREQ(e.what(), "line: 100001 records are more than the steps are shown for (100000)");
    }
    releaseSet(set);
}

} // namespace
