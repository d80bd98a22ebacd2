// Building a run: the random numbers of a seed, the two ways of ordering, and the report's text.
#include "run/format.hpp"
#include "run/random.hpp"
#include "run/report.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

// glibc's generator written out gives the C library's own numbers, seed for seed.
TEST(GlibcRandom, EqualsTheCLibrarysRand)
{
    std::mt19937 pick(20261207);
    std::vector<unsigned> seeds = {0, 1, 2, 1767225600, 2147483647, 2147483648u, 4294967295u};
    for (int i = 0; i < 200; ++i)
        seeds.push_back(pick());
    for (unsigned seed : seeds) {
        std::srand(seed);
        GlibcRandom ours(seed);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(ours.next(), std::rand()) << "seed " << seed << ", number " << i;
    }
}

// The stable sort gives the order of the programs' qsort, ties and all, on a set full of them.
TEST(SortRun, StableSortGivesTheQsortOrder)
{
    for (int count : {0, 1, 2, 7, 10000}) {
        ClosestPairRun<Point3> programs = prepareRun(PointSource<Point3>{count, 15, nullptr, 42});
        auto* copy = allocateArray<Point3>(count);
        std::copy(programs.records, programs.records + count, copy);
        ClosestPairRun<Point3> stable = sortRun(copy, count, true);
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(stable.byX[i] - stable.records == programs.byX[i] - programs.records &&
                        stable.byY[i] - stable.records == programs.byY[i] - programs.records)
                << count << " records, position " << i;
        releaseRun(programs);
        releaseRun(stable);
    }
}

// The orderings by key equal the stable sort's on coordinates with every kind of tie and order:
// -0 beside +0, negatives, subnormals, a far value that crowds the rest into one bucket, many equal
// values, values spread evenly; with infinities, and with a NaN, which the stable sort orders
// alone. Counts on both sides of where the key sort takes over.
TEST(SortRun, KeyOrderIsTheStableSortsOrder)
{
    const std::vector<double> kinds[] = {{0.0, -0.0, 1.5, -1.5, 1e-310, -1e-310, 1e300, -1e300, HUGE_VAL, -HUGE_VAL, 3, 3, -2},
                                         {0.0, -0.0, 1.5, -1.5, 1e-310, -1e-310, 1e300, 3, 3, -2},
                                         {}}; // spread evenly, one in eight the same
    std::mt19937 pick(25);
    std::uniform_real_distribution<double> spread(-1, 1);
    const auto value = [&](const std::vector<double>& kind) {
        return kind.empty() ? (pick() % 8 == 0 ? 0.25 : spread(pick)) : kind[pick() % kind.size()];
    };
    for (const auto& kind : kinds)
        for (const bool withNaN : {false, true})
            for (const int count : {255, 256, 257, 3000}) {
                auto* records = allocateArray<Point2>(count);
                for (int i = 0; i < count; ++i)
                    records[i] = {value(kind), value(kind) * (pick() % 3)};
                if (withNaN)
                    records[count / 2].y = std::numeric_limits<double>::quiet_NaN();
                std::vector<Point2*> byX(static_cast<std::size_t>(count)), byY(byX.size());
                for (int i = 0; i < count; ++i)
                    byX[static_cast<std::size_t>(i)] = byY[static_cast<std::size_t>(i)] = &records[i];
                std::stable_sort(byX.begin(), byX.end(), [](const Point2* a, const Point2* b) { return a->x < b->x; });
                std::stable_sort(byY.begin(), byY.end(), [](const Point2* a, const Point2* b) { return a->y < b->y; });
                ClosestPairRun<Point2> run = sortRun(records, count, true);
                EXPECT_TRUE(std::equal(byX.begin(), byX.end(), run.byX) && std::equal(byY.begin(), byY.end(), run.byY))
                    << count << " records of kind " << &kind - kinds << (withNaN ? ", one y NaN" : "");
                releaseRun(run);
            }
}

TEST(Format, ReportAndShortestTexts)
{
    EXPECT_EQ(resultLine<Point2>("Min: %g; ", DBL_MAX, nullptr, nullptr), "Min: 1.34078e+154; Izmedju nema para");
    const Point3 a{1.5, -2, 1e-7}, b{0, 0, 0};
    EXPECT_EQ(resultLine("Min: %f; ", 4.0, &a, &b),
              "Min: 2.000000; Izmedju (1.500000, -2.000000, 0.000000) - (0.000000, 0.000000, 0.000000)");
    const std::string overflowed = resultLine("Min: %f; ", DBL_MAX, &a, &b);
    EXPECT_TRUE(overflowed.starts_with("Min: 134078079299425956") && overflowed.ends_with(".000000; Izmedju nema para"))
        << "a distance that overflowed names no pair";
    for (double value : {0.1, 498922.5, 1e300, 5e-324, -0.0, 2.088061301782112})
        EXPECT_EQ(std::strtod(shortestText(value).c_str(), nullptr), value) << shortestText(value);
    // Fixed where it is no longer than scientific, a tie included, as std::to_chars writes them.
    const std::pair<double, const char*> shortest[] = {{498922.5, "498922.5"}, {10000, "10000"}, {100000, "1e+05"},
                                                        {-10000, "-10000"}, {0.001, "0.001"}, {0.0001, "1e-04"},
                                                        {1.5e-4, "0.00015"}, {1.25e-5, "1.25e-05"}, {123e5, "12300000"},
                                                        {1.5e300, "1.5e+300"}};
    for (const auto& [value, text] : shortest)
        EXPECT_EQ(shortestText(value), text);
    EXPECT_EQ(pointText(Point2{0.75, 3}, shortestText), "(0.75, 3)");
}

// The brute force runs up to its limit and is skipped, with one line, just above it.
TEST(Report, BruteForceAtItsLimit)
{
    for (const int most : {5, 4}) {
        ClosestPairRun<Point2> run = prepareRun(PointSource<Point2>{5, 15, nullptr, 3});
        char* text = nullptr;
        std::size_t size = 0;
        std::FILE* out = open_memstream(&text, &size);
        searchAndReport(run, out, most);
        std::fclose(out);
        const std::string lines(text, size);
        std::free(text);
        if (most == 5)
            EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4) << lines;
        else
            EXPECT_TRUE(lines.ends_with("\nProvera svih parova preskocena: 5 tacaka je vise od 4\n")) << lines;
        releaseRun(run);
    }
}

} // namespace
