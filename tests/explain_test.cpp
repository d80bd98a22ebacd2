// closest_explain's model: the steps of a run by kind, in 2D and 3D, their texts and pictures,
// the keys that step through them, the options, and point files.
#include "explain/picture.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "explain/stepper.hpp"
#include "run/format.hpp"

#include <gtest/gtest.h>


namespace {

template <class Point>
struct Explained {
    ClosestPairRun<Point> run;
    std::vector<Step> steps;

    explicit Explained(std::vector<Point> points)
    {
        Point* records = allocateArray<Point>(static_cast<long long>(points.size()));
        std::copy(points.begin(), points.end(), records);
        run = sortRun(records, static_cast<int>(points.size()), true);
        steps = recordSteps(run);
    }
    ~Explained() { releaseRun(run); }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < steps.size(); ++i)
            lines.push_back(numberedStep(run, steps[i], i + 1, steps.size()));
        return lines;
    }
};

const std::vector<Point2> fixedSet = {{0.0, 2.6}, {17.6, 3.4}, {4.4, 3.0},  {19.6, 5.7}, {8.8, 5.4},
                                      {10.9, 3.2}, {2.6, 5.2}, {14.2, 7.7}, {7.4, 1.8},  {18.6, 0.0},
                                      {5.8, 8.8},  {13.2, 1.2}, {22.0, 4.8}, {15.6, 2.8}};

// Every kind of step, told in words with the shortest numbers that read back exactly; the end is
// the search's answer and its count of distances.
TEST(Steps, TextsOfEveryKindIn2DAnd3D)
{
    const Explained<Point2> fixed(fixedSet);
    EXPECT_EQ(fixed.texts(), (std::vector<std::string>{
        "Korak 1 od 7: Podela: 14 tacaka deli prava x = 13.2: levo 7, desno 7",
        "Korak 2 od 7: Svi parovi: 7 tacaka, 21 parova; najblizi (2.6, 5.2) - (4.4, 3), d = 2.8425340807103794",
        "Korak 3 od 7: Svi parovi: 7 tacaka, 21 parova; najblizi (15.6, 2.8) - (17.6, 3.4), d = 2.088061301782112",
        "Korak 4 od 7: Spajanje: levo d = 2.8425340807103794, desno d = 2.088061301782112; ostaje desni par (15.6, "
        "2.8) - (17.6, 3.4)",
        "Korak 5 od 7: Pojas: od x = 11.111938698217887 do x = 15.288061301782111 (d = 2.088061301782112): levo 0, "
        "desno 2 tacaka",
        "Korak 6 od 7: Rezultat poziva nad 14 tacaka: d = 2.088061301782112, (15.6, 2.8) - (17.6, 3.4)",
        "Korak 7 od 7: Kraj: Min: 2.088061; Izmedju (15.600000, 2.800000) - (17.600000, 3.400000); izracunato 42 "
        "rastojanja, svi parovi: 91"}));

    const Explained<Point2> newBest({{0, 0}, {3, 4}, {20, 100}, {40, 200}, {98, 503}, {100, 500}, {130, 0},
                                     {160, 100}, {190, 200}, {220, 300}});
    EXPECT_EQ(newBest.texts()[5], "Korak 6 od 8: Poredjenje (98, 503) - (100, 500): d = 3.605551275463989, novi "
                                  "najbolji par");

    // A comparison as close as the best is no new best.
    const Explained<Point3> tie({{0, 0, 0}, {3, 4, 1}, {20, 100, 2}, {40, 200, 0}, {98, 503, 1}, {100, 500, 2},
                                 {130, 0, 0}, {160, 100, 1}, {190, 200, 2}, {220, 300, 0}, {99, 502, 5}});
    const std::vector<std::string> texts = tie.texts();
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[4], "Korak 5 od 9: Pojas: od x = 95.25834261322606 do x = 102.74165738677394 (d = "
                        "3.7416573867739413): levo 1, desno 2 tacaka");
    EXPECT_EQ(texts[6], "Korak 7 od 9: Poredjenje (98, 503, 1) - (100, 500, 2): d = 3.7416573867739413, nije manje od "
                        "3.7416573867739413");
    EXPECT_EQ(texts[8], "Korak 9 od 9: Kraj: Min: 3.741657; Izmedju (99.000000, 502.000000, 5.000000) - (100.000000, "
                        "500.000000, 2.000000); izracunato 27 rastojanja, svi parovi: 55");

    // Halves equally close: the left pair stays.
    const Explained<Point2> equal({{0, 50}, {10, 57}, {20, 64}, {30, 71}, {40, 78}, {60, 0}, {61, 0}, {100, 50},
                                   {110, 57}, {120, 64}, {130, 71}, {140, 78}, {160, 0}, {161, 0}});
    const std::string combine = describeStep(equal.run, equal.steps[3]);
    EXPECT_EQ(combine, "Spajanje: levo d = 1, desno d = 1; jednaki, ostaje levi par (60, 0) - (61, 0)");
}

// A picture in short: point runs as colour:first+count over the x order, lines as colour@x,
// segments by colour, circles as radius.
std::string summary(const StepPicture& picture)
{
    std::string text = "runs";
    for (const ScenePointRun& r : picture.runs)
        text += printfText(" %d:%d+%d", r.color, r.first, r.count);
    text += " | lines";
    for (const SceneLine& l : picture.lines)
        text += printfText(" %d@%.3f", l.color, l.origin.x);
    text += " | segments";
    for (const SceneSegment& s : picture.segments)
        text += printfText(" %d", s.color);
    for (const SceneCircle& c : picture.circles)
        text += printfText(" | circle %.3f", c.radius);
    return text;
}

template <class Point>
std::string pictureAt(const Explained<Point>& explained, std::size_t step)
{
    sceneExtent = SceneExtent{};
    return summary(pictureOf(layoutOf(explained.run), explained.steps[step]));
}

// What each kind of step draws. The fixed set is drawn at x * 100 / 22 (split at 60, strip edges
// 9.491 either side); the ten points at x * 100 / 503, in 3D each line at both z edges.
TEST(Steps, PicturesOfEveryKind)
{
    const Explained<Point2> fixed(fixedSet);
    EXPECT_EQ(pictureAt(fixed, 0), "runs 9:0+14 | lines 5@60.000 | segments");
    EXPECT_EQ(pictureAt(fixed, 2), "runs 8:0+7 9:7+7 | lines | segments 0");
    EXPECT_EQ(pictureAt(fixed, 3), "runs 9:0+14 | lines 5@60.000 | segments 2 1 0");
    EXPECT_EQ(pictureAt(fixed, 4),
              "runs 9:0+14 1:7+2 | lines 5@60.000 2@50.509 2@69.491 | segments 0");
    EXPECT_EQ(pictureAt(fixed, 5), "runs 9:0+14 | lines | segments 0");
    EXPECT_EQ(pictureAt(fixed, 6), "runs 9:0+14 | lines | segments 0");
    const Explained<Point2> newBest({{0, 0}, {3, 4}, {20, 100}, {40, 200}, {98, 503}, {100, 500}, {130, 0},
                                     {160, 100}, {190, 200}, {220, 300}});
    EXPECT_EQ(pictureAt(newBest, 5), "runs 9:0+10 2:4+1 1:5+1 | lines 5@19.881 2@18.887 2@20.875 | "
                                     "segments 0 | circle 0.717");
    const Explained<Point3> tie({{0, 0, 0}, {3, 4, 1}, {20, 100, 2}, {40, 200, 0}, {98, 503, 1}, {100, 500, 2},
                                 {130, 0, 0}, {160, 100, 1}, {190, 200, 2}, {220, 300, 0}, {99, 502, 5}});
    EXPECT_EQ(pictureAt(tie, 6), "runs 9:0+11 2:4+1 1:5+2 | lines 5@19.682 5@19.682 2@18.938 2@18.938 "
                                 "2@20.426 2@20.426 | segments 0 4");
}

TEST(Stepper, KeysMoveWithinTheStepsAndCalls)
{
    const Explained<Point2> newBest({{0, 0}, {3, 4}, {20, 100}, {40, 200}, {98, 503}, {100, 500}, {130, 0},
                                     {160, 100}, {190, 200}, {220, 300}});
    // split, leaf, leaf, combine, strip, compare, answer, end
    StepPlayer player;
    const auto press = [&](StepKey key) {
        pressStepKey(player, newBest.steps, key);
        return player.current;
    };
    EXPECT_EQ(press(StepKey::previous), 0u);
    EXPECT_EQ(press(StepKey::nextCall), 1u);
    EXPECT_EQ(press(StepKey::nextCall), 2u);
    EXPECT_EQ(press(StepKey::nextCall), 7u) << "no call after: the last step";
    EXPECT_EQ(press(StepKey::next), 7u);
    EXPECT_EQ(press(StepKey::previousCall), 2u);
    EXPECT_EQ(press(StepKey::first), 0u);
    EXPECT_EQ(press(StepKey::previousCall), 0u);
    EXPECT_EQ(press(StepKey::last), 7u);
    EXPECT_EQ(press(StepKey::previous), 6u);
    for (int i = 0; i < 12; ++i)
        press(StepKey::faster);
    EXPECT_EQ(player.stepsPerSecond, 512);
    for (int i = 0; i < 14; ++i)
        press(StepKey::slower);
    EXPECT_EQ(player.stepsPerSecond, 0.25);
    press(StepKey::playOrPause);
    EXPECT_EQ(playerHeader(player, 8), "Korak 7 od 8, pusta se, 0.25 koraka u sekundi");
    playStep(player, newBest.steps);
    EXPECT_TRUE(player.current == 7 && !player.playing) << "playing stops at the last step";
}

TEST(PointFile, ReadsRecordsExactly)
{
    const PointText text =
        parsePoints("\xEF\xBB\xBFx,y,z\n# a comment\n\n0.1, 2 , -3\n\t1e-400\t+5 1.3e154\r\n");
    EXPECT_EQ(text.dimension, 3);
    EXPECT_EQ(text.coordinates, (std::vector<double>{0.1, 2, -3, 0, 5, 1.3e154}));
    EXPECT_EQ(parsePoints("1 2\n3 4").count(), 2);
    EXPECT_EQ(parsePoints("9e153 0\n0 9e153\n").count(), 2) << "squares that add up below the largest double";
}

TEST(PointFile, RefusesWithLineAndAShownToken)
{
    const std::string longToken(5'000'000, '7');
    const struct {
        std::string text;
        long long line;
        std::string message;
    } cases[] = {
        {"x y\nx y\n1 2\n3 4", 2, "'x' is not a number"},
        {"1 2\n3 4 5", 2, "3 numbers, but the records before have 2"},
        {"1\n2\n", 1, "1 number; a record has 2 or 3"},
        {"0 0\n1 1\n0 0 # c\n", 3, "'#' is not a number"},
        {"1;1\n", 1, "'1;1' is not a number"},
        {"1 2 3 4 z\n", 1, "'z' is not a number"},
        {std::string("1 2\n3 4\x00x\n", 11), 2, "'4\\x00x' is not a number"},
        {"1 2\n3 \x1b[31mred\n", 2, "'\\x1b[31mred' is not a number"},
        {"1 2\n3 " + longToken + "x\n", 2, "'" + std::string(40, '7') + "...' is not a number"},
        {"1 2\n", 0, "fewer than two records (1)"},
        {"0 0\n1e155 0\n", 0, "the records lie too far apart for their squared distances to be computed (spans: x "
                              "1e+155, y 0)"},
        {"0 0 0\n1e154 1e154 1e154\n", 0, "the records lie too far apart"},
    };
    for (const auto& c : cases) {
        try {
            parsePoints(c.text);
            ADD_FAILURE() << c.message;
        } catch (const InputError& e) {
            EXPECT_TRUE(e.line == c.line && std::string(e.what()).starts_with(c.message)) << e.line << ": " << e.what();
        }
    }
}

} // namespace
