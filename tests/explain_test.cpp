// closest_explain's steps of the fixed set, and point files read exactly.
#include "programs/explain_steps.hpp"
#include "programs/point_file.hpp"
#include "programs/sources.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

TEST(Steps, OfTheFixedSet)
{
    ClosestPairRun<Point2> run = prepareRun(fixed2d14);
    const std::vector<Step> steps = recordSteps(run);
    const std::vector<StepKind> kinds = {StepKind::split,  StepKind::leaf,   StepKind::leaf, StepKind::combine,
                                         StepKind::strip,  StepKind::answer, StepKind::end};
    ASSERT_EQ(steps.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(steps[i].kind, kinds[i]) << i;
    const auto record = [&](int i) { return run.records[i]; };
    EXPECT_TRUE(steps[0].count == 14 && steps[0].half == 7 && steps[0].mx == 13.2);
    EXPECT_TRUE(steps[1].begin == 0 && steps[1].count == 7 && record(steps[1].first).x == 2.6);
    EXPECT_TRUE(steps[2].begin == 7 && steps[2].count == 7 && record(steps[2].first).x == 15.6);
    EXPECT_TRUE(steps[3].best == steps[1].best && steps[3].other == steps[2].best && steps[3].other < steps[3].best);
    EXPECT_TRUE(steps[4].leftStrip == 0 && steps[4].rightStrip == 2 && steps[4].strip == steps[2].best);

    Point2 *first = nullptr, *second = nullptr; // the end is the brute force's answer
    EXPECT_EQ(steps[6].best, findClosestBrute(run.byX, run.count, &first, &second));
    EXPECT_TRUE(&run.records[steps[6].first] == first && &run.records[steps[6].second] == second);
    EXPECT_EQ(steps[6].distances, 42) << "21 pairs in each leaf and no comparison in the strip";
    EXPECT_EQ(describeStep(run, steps[6]), "Kraj: Min: 2.088061; Izmedju (15.600000, 2.800000) - (17.600000, "
                                           "3.400000); izracunato 42 rastojanja, svi parovi: 91");
    releaseRun(run);
}

// A strip with comparisons: each is a step, and the one that beats the best says so.
TEST(Steps, ComparisonsInTheStrip)
{
    const Point2 table[] = {{0, 0},     {3, 4},   {20, 100},  {40, 200},  {98, 503},
                            {100, 500}, {130, 0}, {160, 100}, {190, 200}, {220, 300}};
    ClosestPairRun<Point2> run = prepareRun(PointSource<Point2>{10, 0, table});
    std::vector<Step> compares;
    for (const Step& step : recordSteps(run))
        if (step.kind == StepKind::compare)
            compares.push_back(step);
    ASSERT_FALSE(compares.empty());
    const Step& found = compares.back();
    EXPECT_TRUE(found.best < found.other && run.records[found.first].x == 98 && run.records[found.second].x == 100);
    EXPECT_NE(describeStep(run, found).find("novi najbolji par"), std::string::npos);
    releaseRun(run);
}

// Files are sorted by a faster stable sort into the order the programs' qsort gives.
TEST(PointFile, FastSortGivesTheProgramsOrder)
{
    ClosestPairRun<Point3> programs = prepareRun(random3d10k);
    auto* copy = static_cast<Point3*>(std::malloc(sizeof(Point3) * 10000));
    std::copy(programs.records, programs.records + 10000, copy);
    ClosestPairRun<Point3> fast = sortRun(copy, 10000, true);
    for (int i = 0; i < 10000; ++i)
        ASSERT_TRUE(fast.byX[i] - fast.records == programs.byX[i] - programs.records &&
                    fast.byY[i] - fast.records == programs.byY[i] - programs.records) << i;
    releaseRun(programs);
    releaseRun(fast);
}

TEST(PointFile, ReadsRecordsExactly)
{
    const PointText text = parsePoints("x,y,z\n# a comment\n\n0.1, 2 , -3\n\t1e-400\t+5 1.7976931348623157e308\r\n");
    EXPECT_EQ(text.dimension, 3);
    EXPECT_EQ(text.coordinates, (std::vector<double>{0.1, 2, -3, 0, 5, 1.7976931348623157e308}));
    EXPECT_EQ(parsePoints("1 2\n3 4").count(), 2);
    for (const char* bad : {"x y\nx y\n1 2\n3 4", "1 2\n3 4 5", "1\n2\n", "1 2 3 4\n", "1 2\n"}) {
        EXPECT_THROW(parsePoints(bad), InputError) << bad;
    }
}

} // namespace
