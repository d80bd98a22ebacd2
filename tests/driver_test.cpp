// The run driver in-process: the records and orderings it builds, and its report.
#include "programs/driver.hpp"
#include "programs/fixed_set.hpp"
#include "search/brute_force.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The programs keep their records and orderings until they end; a test hands them back.
void release(ClosestPairRun<Point2>& run)
{
    std::free(run.records);
    std::free(run.byX);
    std::free(run.byY);
}

std::string reportOf(ClosestPairRun<Point2>& run)
{
    std::FILE* out = std::tmpfile();
    searchAndReport(run, out);
    std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), out), text.size());
    std::fclose(out);
    return text;
}

TEST(Driver, FixedSetIsKeptInRecordOrderAndSortedByXAndY)
{
    ClosestPairRun<Point2> run = prepareRun(PointSource<Point2>{14, 0, fixedSet14});
    ASSERT_EQ(run.count, 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(run.records[i].x, fixedSet14[i].x);
        EXPECT_EQ(run.records[i].y, fixedSet14[i].y);
    }
    for (int i = 1; i < 14; ++i) {
        EXPECT_LE(run.byX[i - 1]->x, run.byX[i]->x);
        EXPECT_LE(run.byY[i - 1]->y, run.byY[i]->y);
    }
    // The search of the fixed set: halves' bests 8.08 (left) and 4.36 (right), the right's wins.
    Point2 *first = nullptr, *second = nullptr;
    EXPECT_NEAR(findClosestBrute(run.byX, 7, &first, &second), 8.08, 1e-12);
    EXPECT_EQ(first->x, 2.6);
    EXPECT_EQ(second->x, 4.4);
    EXPECT_NEAR(findClosestBrute(run.byX + 7, 7, &first, &second), 4.36, 1e-12);
    release(run);
}

// With a single record there is no pair: the report says so instead of reading empty slots.
TEST(Driver, ReportWithoutAPairReadsNoEmptySlot)
{
    const Point2 one[] = {{1, 2}};
    ClosestPairRun<Point2> run = prepareRun(PointSource<Point2>{1, 0, one});
    const std::string report = reportOf(run);
    EXPECT_NE(report.find("Izmedju nema para\nVreme: "), std::string::npos) << report;
    EXPECT_EQ(run.first, nullptr);
    release(run);
}

} // namespace
