// closest_explain's requests, as both front ends make them: options refused before anything runs,
// sets opened or refused with the message, the steps checked against what is shown.
#include "explain/driver.hpp"
#include "explain/limits.hpp"
#include "explain/point_file.hpp"

#include <gtest/gtest.h>

namespace {

std::string refusal(const std::vector<std::string>& args, const PointReader& read = readWholeFile)
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

TEST(Options, ParsedOrRefusedBeforeAnythingRuns)
{
    const ExplainOptions o = parseExplainOptions({"--like", "closest3d_rand14", "--seed", "4294967295", "--text",
                                                  "--steps", "--lang", "en", "--listing", "--digits", "17"});
    EXPECT_TRUE(o.like == "closest3d_rand14" && o.seed == 4294967295u && o.text && o.steps && !o.points && !o.step &&
                o.language == Language::en && o.listing && o.digits == 17);
    const ExplainOptions set = parseExplainOptions({"--set", "line", "--count", "10000000", "--dim", "3"});
    EXPECT_TRUE(set.set == "line" && set.count == 10000000 && set.dimension == 3 && set.language == Language::sr &&
                set.digits == 0);
    EXPECT_EQ(parseExplainOptions({"--points", "-", "--step", "12"}).step, 12);
    EXPECT_TRUE(parseExplainOptions({"--cost", "--count", "2"}).cost);
    EXPECT_TRUE(parseExplainOptions({"-h"}).help && parseExplainOptions({"--help"}).help);
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--seed", "4294967296", "--like", "x"}, "--seed '4294967296' is out of range: 0 to 4294967295"},
        {{"--seed", "18446744073709551616", "--like", "x"}, "--seed '18446744073709551616' is out of range"},
        {{"--seed", "-1", "--like", "x"}, "--seed '-1' is out of range"},
        {{"--seed", "12x", "--like", "x"}, "--seed takes a whole number, not '12x'"},
        {{"--points", ""}, "--points needs a value, not an empty word"},
        {{"--step"}, "--step needs a value"},
        {{"--step", "0"}, "--step counts from 1"},
        {{"--step", "-3"}, "--step counts from 1"},
        {{"--step", "2", "--text"}, "--step chooses where the window opens; --text opens none"},
        {{"--seed", "5"}, "--seed goes with --like"},
        {{"--like", "a", "--points", "b"}, "--like and --points each give a set"},
        {{"--set", "uniform", "--like", "a"}, "--set, --like and --points each give a set"},
        {{"--points", "a", "--set", "uniform"}, "--set, --like and --points each give a set"},
        {{"--set", "line", "--count", "0"}, "--count '0' is out of range: 2 to 10000000"},
        {{"--set", "line", "--count", "1"}, "--count '1' is out of range: 2 to 10000000"},
        {{"--set", "line", "--count", "-3"}, "--count '-3' is out of range: 2 to 10000000"},
        {{"--set", "line", "--count", "10000001"}, "--count '10000001' is out of range"},
        {{"--set", "line", "--count", "1e3"}, "--count takes a whole number, not '1e3'"},
        {{"--set", "line", "--dim", "4"}, "--dim takes 2 or 3, not '4'"},
        {{"--lang", "de"}, "--lang takes sr or en, not 'de'"},
        {{"--digits", "18"}, "--digits '18' is out of range: 1 to 17"},
        {{"--digits", "0"}, "--digits '0' is out of range: 1 to 17"},
        {{"--digits", "abc"}, "--digits takes a whole number, not 'abc'"},
        {{"--digits", ""}, "--digits needs a value, not an empty word"},
        {{"--count", "20"}, "--count goes with --set or --cost"},
        {{"--like", "closest2d_rand14", "--dim", "3"}, "--dim goes with --set or --cost"},
        {{"--cost", "--like", "closest2d_rand14"}, "--cost counts the sets that teach; it takes no --like"},
        {{"--cost", "--points", "f"}, "--cost counts"},
        {{"--cost", "--step", "2"}, "--cost counts"},
        {{"--cost", "--steps"}, "--cost counts"},
        {{std::string("--fr\0b\x1b", 7)}, "unknown option '--fr\\x00b\\x1b'; usage: closest_explain"},
    };
    for (const auto& [args, message] : refused) {
        try {
            parseExplainOptions(args);
            ADD_FAILURE() << message;
        } catch (const OptionError& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(message)) << e.what();
        }
    }
}

// Each way of naming a set opens it, or says why not, with the file's name where a file is at fault.
TEST(Driver, OpensOrRefusesEachKindOfSet)
{
    const auto text = [](std::string content) { return [content](const std::string&) { return content; }; };
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
    ExplainedSet program = openSet(parseExplainOptions({"--like", "closest3d_rand14"}), readWholeFile, 77);
    EXPECT_TRUE(program.name == "closest3d_rand14" && program.seed == 77);
    const std::string report = reportOf(program);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 4);
    ExplainedSet fixed = openSet(parseExplainOptions({}), readWholeFile, 77);
    EXPECT_EQ(fixed.seed, -1);
    EXPECT_TRUE(reportOf(fixed).starts_with("Min: 2.088061; Izmedju (15.600000, 2.800000) - (17.600000, 3.400000)\n"));
    ExplainedSet taught = openSet(parseExplainOptions({"--set", "lattice", "--seed", "5", "--dim", "3"}), readWholeFile, 0);
    EXPECT_TRUE(taught.name == "lattice" && taught.seed == 5 && recordCount(taught.run) == 16 &&
                std::holds_alternative<ClosestPairRun<Point3>>(taught.run));
    // The halves' pair kept over a strip pair only as close, which the brute force, in x order, meets first.
    ExplainedSet tie = openSet(parseExplainOptions({"--points", "-"}), [](const std::string&) {
        return "0 100\n1 200\n2 300\n3 400\n17 0\n20 4\n100 50\n103 54\n200 300\n300 500\n";
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
