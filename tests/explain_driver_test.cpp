// closest_explain's requests, as both front ends make them: sets opened or refused with the
// message, the steps checked against what is shown.
#include "explain/driver.hpp"
#include "explain/limits.hpp"
#include "explain/point_file.hpp"

#include <gtest/gtest.h>

namespace {

std::string refusal(const std::vector<std::string>& args, const PointReader& read = readPointFile)
{
    std::optional<ExplainedSet> set;
    std::string message;
    try {
        set = openSet(parseExplainOptions(args), read, 1767225600);
        stepsToShow(*set, parseExplainOptions(args).step.value_or(1));
    } catch (const OptionError& e) {
        message = e.what();
    }
    if (set)
        releaseSet(*set);
    return message;
}

// Each way of naming a set opens it, or says why not, with the file's name where a file is at fault.
TEST(Driver, OpensOrRefusesEachKindOfSet)
{
    const auto text = [](std::string content) {
        return [content](const std::string&, std::string& storage) { return std::string_view(storage = content); };
    };
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, ""},
        {{"--like", "closest2d_rand10k", "--seed", "3"}, ""},
        {{"--like", "closest4d"}, "no program 'closest4d'; the programs are closest2d_fixed14, closest2d_rand14, "
                                  "closest2d_rand10k, closest3d_rand14 and closest3d_rand10k"},
        {{"--like", "closest2d_fixed14", "--seed", "3"}, "closest2d_fixed14 has a fixed set and takes no seed"},
        {{"--set", "nope"}, "no set 'nope'; the sets are uniform, line, lattice, clusters and twins"},
        {{"--set", "twins", "--dim", "3", "--step", "9999"}, "--step 9999: the steps are 1 to "},
        {{"--step", "7"}, ""}, // the last step opens, the next is refused
        {{"--step", "8"}, "--step 8: the steps are 1 to 7"},
        {{"--set", "lattice", "--count", "20", "--seed", "3", "--step", "17"}, ""},
        {{"--set", "lattice", "--count", "20", "--seed", "3", "--step", "18"}, "--step 18: the steps are 1 to 17"},
        {{"--points", "/nowhere/at/all"}, "/nowhere/at/all: cannot be read: No such file or directory"},
    };
    for (const auto& [args, message] : cases)
        EXPECT_TRUE(refusal(args).starts_with(message) && (message.empty() == refusal(args).empty()))
            << refusal(args);
    EXPECT_THROW(writeCost(parseExplainOptions({"--cost", "--set", "nope"}), 1, [](const std::string&) { FAIL(); }),
                 OptionError);
    EXPECT_EQ(refusal({"--points", "f.csv"}, text("1 2 3\n4 5\n")), "f.csv:2: 2 numbers, but the records before have 3");
    EXPECT_EQ(refusal({"--points", "-"}, text("1 2\n4 5 6\n")), "-:2: 3 numbers, but the records before have 2");
    std::string large;
    for (int i = 0; i <= windowMostRecords; ++i)
        large += std::to_string(i) + " 0\n";
    EXPECT_EQ(refusal({"--points", "big"}, text(large)), "big: 100001 records are more than the steps are shown for "
                                                         "(100000)");
}

// A set opened keeps its name and seed, and the report is the programs' four lines.
TEST(Driver, SetsKeepTheirSeedAndReport)
{
    ExplainedSet program = openSet(parseExplainOptions({"--like", "closest3d_rand14"}), readPointFile, 77);
    EXPECT_TRUE(program.name == "closest3d_rand14" && program.seed == 77);
    const std::string report = reportOf(program);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 4);
    ExplainedSet fixed = openSet(parseExplainOptions({}), readPointFile, 77);
    EXPECT_EQ(fixed.seed, -1);
    EXPECT_TRUE(reportOf(fixed).starts_with("Min: 2.088061; Izmedju (15.600000, 2.800000) - (17.600000, 3.400000)\n"));
    ExplainedSet taught = openSet(parseExplainOptions({"--set", "lattice", "--seed", "5", "--dim", "3"}), readPointFile, 0);
    EXPECT_TRUE(taught.name == "lattice" && taught.seed == 5 && recordCount(taught.run) == 16 &&
                std::holds_alternative<ClosestPairRun<Point3>>(taught.run));
    // The halves' pair kept over a strip pair only as close, which the brute force, in x order, meets first.
    ExplainedSet tie = openSet(parseExplainOptions({"--points", "-"}), [](const std::string&, std::string&) {
        return std::string_view("0 100\n1 200\n2 300\n3 400\n17 0\n20 4\n100 50\n103 54\n200 300\n300 500\n");
    }, 0);
    const std::string lines = reportOf(tie);
    EXPECT_TRUE(lines.starts_with("Min: 5.000000; Izmedju (100.000000, 50.000000) - (103.000000, 54.000000)\n") &&
                lines.find("Min: 5; Izmedju (17.000000, 0.000000) - (20.000000, 4.000000)\n") != std::string::npos)
        << lines;
    EXPECT_EQ(equalDistancesNote(tie, Language::en), "equal distances: both pairs are closest");
    EXPECT_EQ(equalDistancesNote(tie, Language::sr), "jednaka rastojanja: oba para su najbliza");
    EXPECT_EQ(equalDistancesNote(fixed, Language::en), "") << "one pair, named by both";
    for (ExplainedSet* set : {&program, &fixed, &taught, &tie})
        releaseSet(*set);
}

} // namespace
