// closest_explain's model: the steps of a run by kind, in 2D and 3D, their texts and pictures,
// the keys that step through them, the options, and point files.
#include "explain/ask.hpp"
#include "explain/cost.hpp"
#include "explain/driver.hpp"
#include "explain/legend.hpp"
#include "explain/listing.hpp"
#include "explain/palette.hpp"
#include "explain/picture.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "explain/stepper.hpp"
#include "run/format.hpp"
#include "sets/teaching_sets.hpp"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <tuple>


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
    // A step's text in Serbian and in English.
    std::array<std::string, 2> texts(const Step& step) const
    {
        return {describeStep(run, step, Language::sr), describeStep(run, step, Language::en)};
    }
    std::array<std::string, 2> texts(std::size_t index) const { return texts(steps[index]); }
};

const std::vector<Point2> fixedSet = {{0.0, 2.6}, {17.6, 3.4}, {4.4, 3.0},  {19.6, 5.7}, {8.8, 5.4},
                                      {10.9, 3.2}, {2.6, 5.2}, {14.2, 7.7}, {7.4, 1.8},  {18.6, 0.0},
                                      {5.8, 8.8},  {13.2, 1.2}, {22.0, 4.8}, {15.6, 2.8}};

// Its only comparison finds a new best pair: split, leaf, leaf, combine, strip, compare, answer, end.
const std::vector<Point2> newBestSet = {{0, 0},     {3, 4},    {20, 100}, {40, 200},  {98, 503},
                                        {100, 500}, {130, 0}, {160, 100}, {190, 200}, {220, 300}};

// A comparison as close as the best, which is no new best.
const std::vector<Point3> tieSet = {{0, 0, 0},   {3, 4, 1},     {20, 100, 2}, {40, 200, 0},  {98, 503, 1}, {100, 500, 2},
                                    {130, 0, 0}, {160, 100, 1}, {190, 200, 2}, {220, 300, 0}, {99, 502, 5}};

// Halves equally close: the combine keeps the left pair on a tie.
const std::vector<Point2> halvesSet = {{0, 50},   {10, 57},  {20, 64},  {30, 71},  {40, 78},  {60, 0},  {61, 0},
                                       {100, 50}, {110, 57}, {120, 64}, {130, 71}, {140, 78}, {160, 0}, {161, 0}};

// Every kind of step in both languages, with the shortest numbers that read back exactly, the
// words each case chooses and the distance each names; the end is the search's answer and its
// counts.
TEST(Steps, TextsOfEveryKindIn2DAnd3D)
{
    const Explained<Point2> fixed(fixedSet);
    const Explained<Point2> newBest(newBestSet);
    const Explained<Point3> tie(tieSet);
    // Halves equally close, and the left one closer.
    std::vector<Point2> halves = halvesSet;
    const Explained<Point2> equal(halves);
    halves[6].x = 60.5;
    const Explained<Point2> left(halves), apart({{0, 0}, {1e200, 0}});
    EndStep end = std::get<EndStep>(tie.steps[8]);
    end.mostComparisons = 3;
    const std::pair<std::array<std::string, 2>, std::array<std::string, 2>> cases[] = {
        {fixed.texts(0), {"Podela: 14 tacaka deli prava x = 13.2: levo 7, desno 7",
                          "Split: the line x = 13.2 splits 14 points: left 7, right 7"}},
        {fixed.texts(1), {"Svi parovi: 7 tacaka, 21 par; najblizi (2.6, 5.2) - (4.4, 3), d = 2.8425340807103794",
                          "All pairs: 7 points, 21 pairs; closest (2.6, 5.2) - (4.4, 3), d = 2.8425340807103794"}},
        {fixed.texts(3), {"Spajanje: levo d = 2.8425340807103794, desno d = 2.088061301782112; ostaje desni par "
                          "(15.6, 2.8) - (17.6, 3.4)",
                          "Combine: left d = 2.8425340807103794, right d = 2.088061301782112; the right pair stays "
                          "(15.6, 2.8) - (17.6, 3.4)"}},
        {equal.texts(3), {"Spajanje: levo d = 1, desno d = 1; jednaki, ostaje levi par (60, 0) - (61, 0)",
                          "Combine: left d = 1, right d = 1; equal, the left pair stays (60, 0) - (61, 0)"}},
        {left.texts(3), {"Spajanje: levo d = 0.5, desno d = 1; ostaje levi par (60, 0) - (60.5, 0)",
                         "Combine: left d = 0.5, right d = 1; the left pair stays (60, 0) - (60.5, 0)"}},
        {fixed.texts(4), {"Pojas: od x = 11.111938698217887 do x = 15.288061301782111 (d = 2.088061301782112): levo "
                          "0, desno 2 tacke",
                          "Strip: from x = 11.111938698217887 to x = 15.288061301782111 (d = 2.088061301782112): "
                          "left 0, right 2 points"}},
        {newBest.texts(5), {"1. poredjenje za (98, 503), sa (100, 500): d = 3.605551275463989, novi najbolji par",
                            "Comparison 1 for (98, 503), with (100, 500): d = 3.605551275463989, a new best pair"}},
        {tie.texts(6), {"2. poredjenje za (98, 503, 1), sa (100, 500, 2): d = 3.7416573867739413, nije manje od "
                        "3.7416573867739413",
                        "Comparison 2 for (98, 503, 1), with (100, 500, 2): d = 3.7416573867739413, not less than "
                        "3.7416573867739413"}},
        // Rounded for the eye, marked where rounding changed a number; the window's mark is ASCII.
        {{describeStep(fixed.run, fixed.steps[4], Language::sr, {3}),
          describeStep(newBest.run, newBest.steps[5], Language::en, {2, asciiRoundedMark})},
         {"Pojas: od x = ≈11.1 do x = ≈15.3 (d = ≈2.09): levo 0, desno 2 tacke",
          "Comparison 1 for (98, ~500), with (100, 500): d = ~3.6, a new best pair"}},
        {fixed.texts(5), {"Rezultat poziva nad 14 tacaka: d = 2.088061301782112, (15.6, 2.8) - (17.6, 3.4)",
                          "The call's result over 14 points: d = 2.088061301782112, (15.6, 2.8) - (17.6, 3.4)"}},
        {tie.texts(end), {"Kraj: Min: 3.741657; Izmedju (99.000000, 502.000000, 5.000000) - (100.000000, "
                          "500.000000, 2.000000); izracunato 27 rastojanja, svi parovi: 55; najvise poredjenja "
                          "jedne tacke u pojasu: 3",
                          "End: d = 3.741657 between (99.000000, 502.000000, 5.000000) - (100.000000, 500.000000, "
                          "2.000000); 27 distances computed, all pairs: 55; most comparisons of one strip record: 3"}},
        // Every squared distance overflows: no pair.
        {apart.texts(0), {"Svi parovi: 2 tacke, 1 par; najblizi nema para, d = beskonacno",
                          "All pairs: 2 points, 1 pair; closest no pair, d = infinity"}},
    };
    for (const auto& [texts, expected] : cases)
        EXPECT_EQ(texts, expected);

    // A number to so many significant digits: the mark only where rounding changed it, and at 17
    // digits the shortest exact text of any double.
    const std::tuple<double, int, const char*> numbers[] = {
        {2.088061301782112, 3, "\u22482.09"}, {2.088061301782112, 15, "\u22482.08806130178211"},
        {2.088061301782112, 16, "2.088061301782112"}, {0.5, 3, "0.5"}, {0.1, 1, "0.1"}, {13.2, 1, "\u224810"},
        {-0.000123456, 2, "\u2248-0.00012"}, {123456, 3, "\u2248123000"}, {1e300, 1, "1e+300"}, {5e-324, 3, "5e-324"},
        {-0.0, 5, "-0"}, {DBL_MAX, 3, "\u22481.80e+308"}, // rounded past the largest double
    };
    for (const auto& [value, digits, text] : numbers) {
        EXPECT_EQ(numberText(value, {digits}), text) << value << " at " << digits;
        EXPECT_EQ(numberText(value, {17}), shortestText(value)) << value;
    }
}

// Serbian agrees a noun with the count's last two digits, the teens as 5, a fraction as 2; English
// has the singular for 1 alone. Every noun of each count takes the form of the count it agrees as,
// and 1, 2 and 5 take three forms.
TEST(Steps, CountsAgreeWithTheirNouns)
{
    const std::pair<double, double> agrees[] = {{1, 1},    {2, 2},     {4, 2},     {5, 5},      {11, 5},    {12, 5},
                                                {14, 5},   {21, 1},    {22, 2},    {25, 5},     {101, 1},   {111, 5},
                                                {112, 5},  {114, 5},   {211, 5},   {212, 5},    {221, 1},   {1013, 5},
                                                {1022, 2}, {0, 5},     {0.5, 2},   {1.5, 2}};
    for (const auto& [count, as] : agrees)
        for (int noun = 0; noun <= static_cast<int>(Noun::step); ++noun) {
            EXPECT_STREQ(nounFor(count, Language::sr, Noun(noun)), nounFor(as, Language::sr, Noun(noun))) << count;
            EXPECT_STREQ(nounFor(count, Language::en, Noun(noun)),
                         nounFor(count == 1 ? 1 : 2, Language::en, Noun(noun)));
        }
    std::string forms;
    for (Noun noun : {Noun::record, Noun::recordObject, Noun::pair})
        for (long long count : {1, 2, 5})
            forms += counted(count, Language::sr, noun) + ", ";
    EXPECT_EQ(forms, "1 tacka, 2 tacke, 5 tacaka, 1 tacku, 2 tacke, 5 tacaka, 1 par, 2 para, 5 parova, ");
    EXPECT_EQ(counted(1, Language::en, Noun::pair) + " " + counted(2, Language::en, Noun::pair), "1 pair 2 pairs");
}

// Each kind of step is at the listing's line that does what the step tells.
TEST(Steps, ListingLineOfEveryKind)
{
    const Explained<Point2> fixed(fixedSet), newBest(newBestSet);
    // split, leaf, combine, strip, answer, end of the fixed set; a comparison
    const std::tuple<Step, const char*, const char*> cases[] = {
        {fixed.steps[0], "mx = x od P[h]", "mx = x of P[h]"},
        {fixed.steps[1], "proveri svaki par", "check every pair"},
        {fixed.steps[3], "ako dD < d", "if dR < d"},
        {fixed.steps[4], "(x - mx)^2 < d^2", "(x - mx)^2 < d^2"},
        {newBest.steps[5], "ako e < d", "if e < d"},
        {fixed.steps[5], "vrati (d, p)", "return (d, p)"},
        {fixed.steps[6], "rezultat = najblizi", "result = closest"},
    };
    const std::vector<std::string>& serbian = listingLines(Language::sr);
    const std::vector<std::string>& english = listingLines(Language::en);
    ASSERT_EQ(serbian.size(), english.size());
    for (const auto& [step, sr, en] : cases) {
        const std::size_t line = static_cast<std::size_t>(listingLine(step));
        ASSERT_TRUE(line >= 1 && line <= english.size()) << line;
        EXPECT_NE(serbian[line - 1].find(sr), std::string::npos) << serbian[line - 1];
        EXPECT_NE(english[line - 1].find(en), std::string::npos) << english[line - 1];
    }
    for (const auto* lines : {&serbian, &english}) // the window's font has only ASCII
        for (const std::string& line : *lines)
            EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c >= ' ' && c <= '~'; })) << line;
}

// A left record's window keeps the d of its turn's start: every record it is compared with lies in
// the box drawn for the comparison, and the text names that d once a comparison has shrunk the best
// (uniform 64, seed 84: at step 9 the best has shrunk to 1.86 within the turn, the window stays
// 2.86, and the record compared lies 2.8 below).
TEST(Steps, EveryComparisonLiesInItsDrawnWindow)
{
    int shrunk = 0;
    const auto check = [&shrunk](const auto& run, const std::vector<Step>& steps) {
        const ExplainLayout layout = layoutOf(run);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const auto* s = std::get_if<CompareStep>(&steps[i]);
            if (s == nullptr)
                continue;
            const auto &a = run.records[s->compared.first], &b = run.records[s->compared.second];
            const double dy = b.y - a.y, dx = b.x - s->call.mx;
            ASSERT_TRUE(dy * dy < s->windowSquared && s->bestSquared <= s->windowSquared && dx >= 0 &&
                        dx * dx < s->strip.widthSquared) << "step " << i + 1;
            sceneExtent = SceneExtent{};
            float low[2] = {1e30f, 1e30f}, high[2] = {-1e30f, -1e30f};
            for (const SceneSegment& segment : pictureOf(layout, steps[i]).segments)
                if (segment.color == paintSearchBox)
                    for (const ScenePoint& p : {segment.a, segment.b})
                        low[0] = std::min(low[0], p.x), low[1] = std::min(low[1], p.y),
                        high[0] = std::max(high[0], p.x), high[1] = std::max(high[1], p.y);
            const ScenePoint& placedB = layout.records[s->compared.second];
            EXPECT_TRUE(low[0] <= placedB.x && placedB.x <= high[0] && low[1] <= placedB.y && placedB.y <= high[1])
                << "step " << i + 1;
            const bool named = describeStep(run, steps[i], Language::en).find("window stays") != std::string::npos;
            EXPECT_EQ(named, s->bestSquared < s->windowSquared) << "step " << i + 1;
            shrunk += named;
        }
    };
    for (const TeachingSet& set : teachingSets)
        for (const std::uint32_t seed : {84u, 5u})
            for (const int count : {40, 64}) {
                ClosestPairRun<Point2> flat = teachingRun<Point2>(set.kind, count, seed);
                check(flat, recordSteps(flat));
                releaseRun(flat);
                ClosestPairRun<Point3> deep = teachingRun<Point3>(set.kind, count, seed);
                check(deep, recordSteps(deep));
                releaseRun(deep);
            }
    EXPECT_GT(shrunk, 0) << "a turn whose best shrank";
    ClosestPairRun<Point2> run = teachingRun<Point2>(TeachingKind::uniform, 64, 84);
    EXPECT_EQ(describeStep(run, recordSteps(run)[8], Language::en),
              "Comparison 2 for (3.4, 16.9), with (7.2, 14.1): d = 4.720169488482378, not less than "
              "1.8601075237738265 (the record's window stays w = 2.860069929215019)");
    releaseRun(run);
}

// A picture in short, in the palette's names: records as name:first+count over the x order with
// the mark's letter and size (filled, square, ring), lines as name@x, segments as name:x-x (the
// search box as its extent), circles as radius.
std::string summary(const StepPicture& picture)
{
    constexpr const char* names[] = {"faded", "call", "left", "right", "twin", "split", "outer",
                                     "edge",  "best", "leftPair", "rightPair", "compared", "reach", "box", "shrunk", "side",
                                     "chosen", "cursor"};
    static_assert(std::size(names) == paletteSize);
    const auto name = [&](ColorCode code) { return names[code - colorCount]; };
    std::string text = "runs";
    for (const ScenePointRun& r : picture.runs)
        text += printfText(" %s:%d+%d%c%g", name(r.color), r.first, r.count, "dfsr"[static_cast<int>(r.mark)], r.size);
    text += " | lines";
    for (const SceneLine& l : picture.lines)
        text += printfText(" %s@%.3f", name(l.color), l.origin.x);
    text += " | segments";
    float box[4] = {1e30f, 1e30f, -1e30f, -1e30f};
    for (const SceneSegment& s : picture.segments)
        if (s.color == paintSearchBox)
            box[0] = std::min({box[0], s.a.x, s.b.x}), box[1] = std::min({box[1], s.a.y, s.b.y}),
            box[2] = std::max({box[2], s.a.x, s.b.x}), box[3] = std::max({box[3], s.a.y, s.b.y});
        else
            text += printfText(" %s:%.1f-%.1f", name(s.color), s.a.x, s.b.x);
    if (box[0] <= box[2])
        text += printfText(" | box x %.3f-%.3f y %.3f-%.3f", box[0], box[2], box[1], box[3]);
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

// What each kind of step draws, and its legend: the heads of its English lines, as many in
// Serbian. The fixed set is drawn at x * 100 / 22 (split at 60, strip edges 9.491 either side);
// the ten points at x * 100 / 503, in 3D each line at both z edges; the twenty at x * 100 / 18,
// split at 9, its left half at 4, with (3, 10) twice.
TEST(Steps, PicturesOfEveryKind)
{
    const Explained<Point2> fixed(fixedSet), newBest(newBestSet);
    const Explained<Point3> tie({{0, 0, 0}, {3, 4, 1}, {20, 100, 2}, {40, 200, 0}, {98, 503, 1}, {100, 500, 2},
                                 {130, 0, 0}, {160, 100, 1}, {190, 200, 2}, {220, 300, 0}, {99, 502, 5}});
    std::vector<Point2> twenty;
    for (int i = 0; i < 19; ++i)
        twenty.push_back({static_cast<double>(i), static_cast<double>(i * 7 % 11)});
    twenty.push_back({3, 10});
    const Explained<Point2> deep(twenty);
    const auto picture = [&](char set, std::size_t step) {
        sceneExtent = SceneExtent{};
        switch (set) {
        case 'f': return pictureOf(layoutOf(fixed.run), fixed.steps[step]);
        case 'n': return pictureOf(layoutOf(newBest.run), newBest.steps[step]);
        case 't': return pictureOf(layoutOf(tie.run), tie.steps[step]);
        default: return pictureOf(layoutOf(deep.run), deep.steps[step]);
        }
    };
    const struct {
        char set;
        std::size_t step;
        const char* picture;
        const char* legend;
    } cases[] = {
        {'f', 0, "runs call:0+14f5 | lines split@60.000 | segments side:60.0-61.5", "black squares, thick magenta line, short black stub"},
        {'d', 2,
         "runs faded:5+15f4 call:0+5f5 twin:3+2r23 | lines outer@50.000 outer@22.222 | segments best:16.7-16.7",
         "grey squares, black squares, purple ring, dashed magenta lines, thick red segment"},
        {'d', 10,
         "runs faded:0+10f4 call:10+10f5 twin:3+2r23 | lines split@77.778 outer@50.000 | segments side:77.8-79.3 best:50.0-66.7 leftPair:50.0-66.7 rightPair:77.8-94.4",
         "grey squares, black squares, purple ring, thick magenta line, dashed magenta lines, thick red segment, thin blue segment, dashed green segment, short black stub"},
        {'d', 11,
         "runs faded:0+10f4 call:10+10f5 left:12+3f11 right:15+4s13 twin:3+2r23 | lines split@77.778 edge@60.210 edge@95.346 outer@50.000 | segments side:77.8-79.3 best:50.0-66.7",
         "grey squares, black squares, blue filled squares, green hollow squares, purple ring, thick magenta line, dashed magenta lines, thin dotted blue lines, thick red segment, short black stub"},
        {'d', 12,
         "runs faded:0+10f4 call:10+10f5 left:12+3f11 right:15+4s13 twin:3+2r23 | lines split@77.778 edge@60.210 edge@95.346 outer@50.000 | segments side:77.8-79.3 best:50.0-66.7 compared:66.7-77.8 | box x 77.778-95.346 y 21.321-56.457",
         "grey squares, black squares, blue filled squares, green hollow squares, purple ring, thick magenta line, dashed magenta lines, thin dotted blue lines, thick red segment, dashed orange segment, teal box, short black stub"},
        {'n', 5,
         "runs call:0+10f5 left:4+1f11 right:5+1s13 | lines split@19.881 edge@18.887 edge@20.875 | segments side:19.9-21.4 best:19.5-19.9 | box x 19.881-20.875 y 99.006-100.994 | circle 0.717",
         "black squares, blue filled squares, green hollow squares, thick magenta line, thin dotted blue lines, thick red segment, red circle, teal box, short black stub"},
        {'t', 5,
         "runs call:0+11f5 left:4+1f11 right:5+2s13 | lines split@19.682 split@19.682 edge@18.938 edge@18.938 edge@20.426 edge@20.426 | segments side:19.7-21.2 best:19.7-19.9 compared:19.5-19.7 | box x 19.682-20.426 y 99.256-100.744",
         "black squares, blue filled squares, green hollow squares, thick magenta line, thin dotted blue lines, thick red segment, dashed orange segment, teal box, short black stub"},
        {'f', 5, "runs call:0+14f5 | lines | segments best:70.9-80.0", "black squares, thick red segment"},
        {'d', 22, "runs call:0+20f5 twin:3+2r23 | lines | segments best:16.7-16.7",
         "black squares, purple ring, thick red segment"},
    };
    for (const auto& c : cases) {
        const StepPicture drawn = picture(c.set, c.step);
        EXPECT_EQ(summary(drawn), c.picture) << c.set << c.step;
        const std::vector<std::string> english = legendLines(drawn, Language::en);
        std::string heads;
        for (const std::string& line : english)
            heads += (heads.empty() ? "" : ", ") + line.substr(0, line.find(':'));
        EXPECT_EQ(heads, c.legend) << c.set << c.step;
        const std::vector<std::string> serbian = legendLines(drawn, Language::sr);
        EXPECT_EQ(serbian.size(), english.size()) << c.set << c.step;
        for (const auto* lines : {&serbian, &english}) // a row of the window's column, in its ASCII font
            for (const std::string& line : *lines)
                EXPECT_TRUE(line.size() <= 60 && std::all_of(line.begin(), line.end(), [](char ch) {
                    return ch >= ' ' && ch <= '~';
                })) << line;
    }
    // Records of both halves on the split line x = 4: each shows its own with a stub.
    const Explained<Point2> straddling({{0, 0}, {1, 5}, {2, 1}, {3, 7}, {4, 0}, {4, 3}, {4, 6}, {4, 9}, {5, 2}, {6, 4}});
    std::string sides;
    for (const SceneSegment& s : pictureOf(layoutOf(straddling.run), straddling.steps[0]).segments)
        sides += s.b.x < s.a.x ? "<" : ">";
    EXPECT_EQ(sides, "<>>>");
    EXPECT_EQ(legendLines(picture('d', 2), Language::sr),
              (std::vector<std::string>{"sivi kvadratici: tacke van poziva", "crni kvadratici: tacke poziva",
                                        "ljubicasti krug: jednake tacke (rastojanje 0)",
                                        "isprekidane magenta linije: podele poziva u toku",
                                        "debela crvena duz: najbolji par, onaj koji ostaje"}));
    // The records go to the runs drawn over the lines, in the palette's colours.
    const StepPicture shown = picture('d', 12);
    scenePointRuns = {ScenePointRun{}};
    showPicture(shown);
    EXPECT_TRUE(scenePointRuns.empty() && sceneMarkRuns.size() == shown.runs.size() &&
                sceneMarkRuns[2].mark == SceneMark::filled && sceneMoreColors.size() == paletteSize);
    // A 3D set is moved so that its smallest x and y and its nearest z lie at 0, its largest span 100.
    const ExplainLayout placed = layoutOf(tie.run);
    EXPECT_TRUE(placed.placement.origin[0] == 0 && placed.placement.origin[1] == 0 && placed.placement.origin[2] == 5 &&
                placed.placement.scale == 100.0 / 503 && placed.highZ == 0 && placed.lowZ == static_cast<float>(-500.0 / 503))
        << placed.placement.origin[2] << " " << placed.lowZ;
}

// Every colour of the palette stands out from the picture's background by at least 3:1 (WCAG 2.1's
// contrast of relative luminances from sRGB), and what must be told apart differs by more than hue.
TEST(Steps, PaletteReadsOnTheBackgroundAndInGrey)
{
    const auto luminance = [](double r, double g, double b) {
        const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
    };
    const auto byte = [](float c) { return std::round(c * 255) / 255; }; // as the window shows it
    const double background = luminance(byte(sceneBackground[0]), byte(sceneBackground[1]), byte(sceneBackground[2]));
    for (const PaletteEntry& entry : stepPalette) {
        const double own = luminance(entry.color.r / 255.0, entry.color.g / 255.0, entry.color.b / 255.0);
        EXPECT_GE((background + 0.05) / (own + 0.05), 3.0) << entry.code;
    }
    const auto drawnAlike = [](ColorCode a, ColorCode b) {
        const PaletteEntry &p = paletteOf(a), &q = paletteOf(b);
        return p.mark == q.mark && p.size == q.size && p.stroke.width == q.stroke.width && p.stroke.dash == q.stroke.dash;
    };
    for (const auto& [a, b] : {std::pair{paintStripLeft, paintStripRight}, {paintFaded, paintCall},
                               {paintBest, paintLeftPair}, {paintBest, paintRightPair}, {paintLeftPair, paintRightPair},
                               {paintBest, paintCompared}, {paintSplit, paintOuterSplit}, {paintOuterSplit, paintStripEdge}})
        EXPECT_FALSE(drawnAlike(a, b)) << a << " " << b;
}

TEST(Stepper, KeysMoveWithinTheStepsAndCalls)
{
    const Explained<Point2> newBest(newBestSet);
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
    playStep(player, newBest.steps);
    EXPECT_TRUE(player.current == 7 && !player.playing) << "playing stops at the last step";
}

// The player's line counts the distances computed so far against all pairs; the calls under way.
TEST(Stepper, PlayerLineAndCallsInBothLanguages)
{
    const Explained<Point2> newBest(newBestSet);
    const std::vector<long long> distances = distancesSoFar(newBest.steps);
    EXPECT_EQ(distances, (std::vector<long long>{0, 10, 20, 20, 20, 21, 21, 21})) << "the leaves' pairs, a comparison";
    EXPECT_EQ(distances.back(), std::get<EndStep>(newBest.steps.back()).distances);

    const std::tuple<StepPlayer, const char*, const char*> cases[] = {
        {{6, true, 0.25}, "Korak 7 od 8, pusta se, 0.25 koraka u sekundi; rastojanja: 21 od 45",
         "Step 7 of 8, playing, 0.25 steps a second; distances: 21 of 45"},
        {{1, false, 1}, "Korak 2 od 8, 1 korak u sekundi; rastojanja: 10 od 45",
         "Step 2 of 8, 1 step a second; distances: 10 of 45"},
    };
    for (const auto& [player, sr, en] : cases) {
        EXPECT_EQ(playerHeader(player, 8, distances[player.current], allPairs(newBest.steps), Language::sr), sr);
        EXPECT_EQ(playerHeader(player, 8, distances[player.current], allPairs(newBest.steps), Language::en), en);
    }
    EXPECT_EQ(callsUnderWay(newBest.steps, 1, Language::en),
              (std::vector<std::string>{"Call 1: 10 points, split x = 100", "Call 2: 5 points, all pairs"}));

    // At every step of a larger run: a line for each split begun whose records hold the step's call,
    // and one for the step's own leaf.
    std::vector<Point2> points;
    for (int i = 0; i < 60; ++i)
        points.push_back({static_cast<double>(i * 37 % 61), static_cast<double>(i * 11 % 17)});
    const Explained<Point2> many(points);
    const auto callOf = [](const Step& step) {
        return std::visit([](const auto& s) {
            if constexpr (requires { s.call.records; })
                return s.call.records;
            else if constexpr (requires { s.call.begin; })
                return s.call;
            else
                return CallRecords{0, -1}; // the end: no call
        }, step);
    };
    for (std::size_t i = 0; i < many.steps.size(); ++i) {
        const CallRecords call = callOf(many.steps[i]);
        std::size_t holding = std::holds_alternative<LeafStep>(many.steps[i]);
        for (std::size_t j = 0; j <= i; ++j) {
            const CallRecords split = callOf(many.steps[j]);
            holding += std::holds_alternative<SplitStep>(many.steps[j]) && call.count >= 0 &&
                       split.begin <= call.begin && call.begin + call.count <= split.begin + split.count;
        }
        ASSERT_EQ(callsUnderWay(many.steps, i, Language::sr).size(), holding) << "step " << i + 1;
    }
}

TEST(PointFile, ReadsRecordsExactly)
{
    const PointText text =
        parsePoints("\xEF\xBB\xBFx,y,z\n# a comment\n\n0.1, 2 , -3\n\t1e-400\t+5 1.3e154\r\n");
    EXPECT_EQ(text.dimension, 3);
    EXPECT_EQ(text.coordinates, (std::vector<double>{0.1, 2, -3, 0, 5, 1.3e154}));
    for (const char* two :
         {"1 2\n3 4", "\xC5\xA1irina,visina\n1 2\n3 4", "\xC3\xA9x,y\n1 2\n3 4", "\xD0\xA8 y\n1 2\n3 4"})
        EXPECT_EQ(parsePoints(two).count(), 2) << two << ": a header's words in any script";
    EXPECT_EQ(parsePoints("9e153 0\n0 9e153\n").count(), 2) << "squares that add up below the largest double";
}

// Each number as strtod reads it, bit for bit: ties, 19 digits and more, powers of ten at the edges
// of the short way and past them, and a seeded sweep of decimal texts.
TEST(PointFile, ReadsNumbersAsStrtod)
{
    std::vector<std::string> texts = {"9007199254740993", "9007199254740995", "9007199254740992.5", "-0.0", "0.1",
                                      "1e19", "1e-19", "1e20", "1e-20", "9999999999999999999e19", "00012.500",
                                      "1234567890123456789e-19", "12345678901234567890", "+3.", ".5E+1", "4.9e-324",
                                      "18446744073709551617", "99999999999999999999", "0.000184467440737095516171",
                                      "000018446744073709551616e-3", "123456789012345678901234567890e-10"};
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 100'000; ++i) { // up to 19 digits, and past 2^64 to 39
        std::string digits = std::to_string(random() % (std::uint64_t{1} << (random() % 64)));
        if (i % 4 == 0)
            digits += std::to_string(random());
        const std::size_t point = random() % (digits.size() + 1);
        std::string text = digits.substr(0, point);
        text.append(1, '.').append(digits, point);
        if (random() % 2)
            text.append("e").append(std::to_string(static_cast<int>(random() % 45) - 22));
        texts.push_back(text);
    }
    std::string file;
    for (const std::string& text : texts)
        file += text + " 0\n";
    const PointText points = parsePoints(file);
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(points.coordinates[2 * i]),
                  std::bit_cast<std::uint64_t>(std::strtod(texts[i].c_str(), nullptr))) << texts[i];
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
        {"1 2\n-inf 4\n", 2, "'-inf' is not a finite number"},
        {"nan 2\n3 4\n", 1, "'nan' is not a finite number"},
        {std::string("x\0,y\n1 2\n3 4", 12), 1, "'x\\x00' is not a number"},
        {"\xEF\xBB\xBF\xEF\xBB\xBFx,y\n1 2\n3 4", 1, "'\xEF\xBB\xBFx' is not a number"},
        {std::string("\xFF\xFEx\0,\0y\0\n\0", 10), 1, "'\xFF\xFEx\\x00' is not a number"},
        {"\xF9\x80\x80\x80x,y\n1 2\n3 4", 1, "'\xF9\x80\x80\x80x' is not a number"}, // no UTF-8 lead byte
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

// Each column of --cost's lines, as printed, means what its header names, counted apart from the
// cost's own counter from the recorded steps of the same set: the leaves' pairs, the strips'
// comparisons, their sum, n(n - 1) / 2 pairs, the ratio, the most comparisons in a row of one left
// strip record, the depth (a leaf under every split of the larger half), the records the splits
// moved, and n times log2 n rounded up.
TEST(Cost, EachPrintedColumnMeansWhatItsHeaderNames)
{
    const auto counted = [](auto run) {
        long long leaf = 0, strip = 0, moved = 0;
        int most = 0, inRow = 0, left = -1;
        for (const Step& step : recordSteps(run)) {
            if (const auto* split = std::get_if<SplitStep>(&step))
                moved += split->call.records.count; // a split moves each of its call's records once
            if (const auto* l = std::get_if<LeafStep>(&step))
                leaf += static_cast<long long>(l->call.count) * (l->call.count - 1) / 2;
            if (std::holds_alternative<StripStep>(step))
                left = -1;
            if (const auto* c = std::get_if<CompareStep>(&step)) {
                ++strip;
                inRow = c->compared.first == left ? inRow + 1 : 1;
                left = c->compared.first;
                most = std::max(most, inRow);
            }
        }
        const long long n = run.count, pairs = n * (n - 1) / 2;
        int depth = 1;
        for (long long m = n; m > divideLeafMostCount; m -= m / 2)
            ++depth;
        releaseRun(run);
        long long log2n = 0;
        while ((1LL << log2n) < n)
            ++log2n;
        return printfText("n %lld distances %lld leaf %lld strip %lld pairs %lld ratio %.6g most %d depth %d moved %lld "
                          "nlog2n %lld ", n, leaf + strip, leaf, strip, pairs,
                          static_cast<double>(leaf + strip) / static_cast<double>(pairs), most, depth, moved, n * log2n);
    };
    for (const char* kind : {"uniform", "line"})
        for (const char* dimension : {"2", "3"}) {
            std::vector<std::string> lines;
            writeCost(parseExplainOptions({"--cost", "--set", kind, "--dim", dimension, "--count", "100"}), 5,
                      [&](const std::string& line) { lines.push_back(line); });
            ASSERT_EQ(lines.size(), 5u) << "16, 32, 64 and 100 records";
            for (std::size_t row = 1; row < lines.size(); ++row) {
                std::istringstream names(lines[0]), values(lines[row]);
                std::string name, value, printed;
                while (names >> name && values >> value)
                    printed += name.ends_with("_ms") ? "" : name + " " + value + " ";
                const long long n = std::stoll(lines[row]);
                const TeachingKind set = findTeachingSet(kind)->kind;
                EXPECT_EQ(printed, *dimension == '2' ? counted(teachingRun<Point2>(set, static_cast<int>(n), 5))
                                                     : counted(teachingRun<Point3>(set, static_cast<int>(n), 5)));
            }
        }
}

// One strip: left record (-1, 0) meets all three right records in its window, (0, 90) first (a
// new best), then (99, 0) and (0, -90); left record (-1, -150) then meets only (0, -90).
TEST(Cost, EndStepCountsTheMostComparisonsOfOneLeftRecord)
{
    const Explained<Point2> strip({{-1, 0}, {-1, -150}, {-5000, 0}, {-5000, 3000}, {0, 90}, {99, 0}, {0, -90},
                                   {5000, 0}, {5000, 3000}});
    const EndStep& end = std::get<EndStep>(strip.steps.back());
    EXPECT_EQ(end.distances, 6 + 10 + 4);
    EXPECT_EQ(end.mostComparisons, 3);
    std::vector<int> numbers; // each comparison's number for its left record
    for (const Step& step : strip.steps)
        if (const auto* compare = std::get_if<CompareStep>(&step))
            numbers.push_back(compare->comparison);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 1}));
}

} // namespace

// Each kind of question with a right and a wrong answer, and the verdict of each in both languages:
// only a strictly smaller distance is a new best, a tie keeps the left pair, and a leaf's or the
// end's pair as close as the one kept is as right.
template <class Point>
struct AskCase {
    const Explained<Point>& set;
    std::size_t index;
    Question question;
    Answer right, wrong;
    const char* en; // why, in each language
    const char* sr;
};

template <class Point>
void checkAskCase(const AskCase<Point>& c)
{
    const Step& step = c.set.steps[c.index];
    SCOPED_TRACE(describeStep(c.set.run, step, Language::en));
    EXPECT_EQ(questionOf(step, ~0u), c.question);
    EXPECT_EQ(questionOf(step, ~0u & ~kindBit(c.question)), Question::none);
    EXPECT_TRUE(isRight(c.set.run, step, c.right));
    EXPECT_FALSE(isRight(c.set.run, step, c.wrong));
    for (const bool right : {true, false}) {
        AskScore score;
        takeAnswer(score, c.index, right);
        EXPECT_EQ(verdictText(c.set.run, score, c.set.steps, Language::en),
                  std::string(right ? "Correct: " : "Not correct: ") + c.en);
        EXPECT_EQ(verdictText(c.set.run, score, c.set.steps, Language::sr),
                  std::string(right ? "Tacno: " : "Netacno: ") + c.sr);
    }
}

Answer choice(int c) { return {.choice = c}; }
Answer place(double x, double reach = 0) { return {.x = x, .reach = reach}; }
Answer chosen(std::vector<int> records) { return {.records = std::move(records)}; }
Answer counts(int left, int right) { return {.left = left, .right = right}; }

TEST(Ask, EveryKindRightAndWrongInBothLanguages)
{
    const Explained<Point2> fixed(fixedSet), newBest(newBestSet), equal(halvesSet);
    const Explained<Point3> tie(tieSet);
    const AskCase<Point2> cases[] = {
        {fixed, 0, Question::split, place(12), place(10.8),
         "the line is x = 13.2: the left half ends at x = 10.9, the right half begins at x = 13.2",
         "prava je x = 13.2: leva polovina se zavrsava na x = 10.9, desna pocinje na x = 13.2"},
        {fixed, 0, Question::split, place(13.5, 0.5), place(14, 0.5), "", ""}, // within reach of the line
        {fixed, 0, Question::split, chosen({11}), chosen({0}), "", ""},         // (13.2, 1.2), or (0, 2.6)
        {newBest, 1, Question::leaf, chosen({1, 0}), chosen({0, 2}), "the closest pair is (0, 0) - (3, 4), d = 5",
         "najblizi par je (0, 0) - (3, 4), d = 5"},
        {newBest, 1, Question::leaf, chosen({0, 1}), chosen({5, 4}), "", ""}, // a closer pair, of another call
        {fixed, 4, Question::strip, chosen({7, 11}), chosen({11}),
         "the strip from x = 11.111938698217887 to x = 15.288061301782111 (d = 2.088061301782112) holds 0 left and 2 "
         "right",
         "u pojasu od x = 11.111938698217887 do x = 15.288061301782111 (d = 2.088061301782112) je 0 levo i 2 desno"},
        {fixed, 4, Question::strip, chosen({11, 7, 11}), chosen({11, 7, 13}), "", ""},
        {fixed, 4, Question::strip, counts(0, 2), counts(2, 0), "", ""}, // or counted on each side
        {newBest, 5, Question::compare, choice(0), choice(1), "a new best pair: 3.605551275463989 < 5",
         "novi najbolji par: 3.605551275463989 < 5"},
        {fixed, 3, Question::combine, choice(1), choice(0),
         "the right pair stays: 2.088061301782112 < 2.8425340807103794",
         "ostaje desni par: 2.088061301782112 < 2.8425340807103794"},
        {newBest, 3, Question::combine, choice(0), choice(1), "the left pair stays: 5 < 104.4030650891055",
         "ostaje levi par: 5 < 104.4030650891055"},
        {equal, 3, Question::combine, choice(0), choice(1), "the left pair stays on a tie: 1 = 1",
         "jednaki, ostaje levi par: 1 = 1"},
        {equal, 6, Question::end, chosen({13, 12}), chosen({5, 7}), "the closest pair is (60, 0) - (61, 0), d = 1",
         "najblizi par je (60, 0) - (61, 0), d = 1"}, // the right half's pair, as close as the kept one
    };
    for (const AskCase<Point2>& c : cases) {
        if (*c.en == '\0') { // the same step's verdict checked above: only the answers
            EXPECT_TRUE(isRight(c.set.run, c.set.steps[c.index], c.right) &&
                        !isRight(c.set.run, c.set.steps[c.index], c.wrong)) << c.index;
            continue;
        }
        checkAskCase(c);
    }
    // A distance as close as the best is no new best.
    checkAskCase(AskCase<Point3>{tie, 6, Question::compare, choice(1), choice(0),
                                 "no new best: 3.7416573867739413 is not less than 3.7416573867739413",
                                 "nije novi najbolji: 3.7416573867739413 nije manje od 3.7416573867739413"});
    for (const Step& step : fixed.steps)
        EXPECT_FALSE(isRight(fixed.run, step, Answer{})) << "nothing answered is never right";
}

// The question shows neither a comparison's distance nor a combine's; the answers' words do not
// read as a verdict's.
TEST(Ask, QuestionsHoldTheirResultBack)
{
    const Explained<Point2> newBest(newBestSet), fixed(fixedSet);
    EXPECT_EQ(questionText(newBest.run, newBest.steps[5], Language::sr, {2}),
              "1. poredjenje za (98, \u2248500), sa (100, 500): blize od najboljeg do sada, d = 5?");
    EXPECT_EQ(questionText(fixed.run, fixed.steps[3], Language::en, {3}).find("2.84"), std::string::npos);
    EXPECT_EQ(questionText(fixed.run, fixed.steps[3], Language::en, {3}).find("2.09"), std::string::npos);
    EXPECT_EQ(questionText(fixed.run, fixed.steps[5], Language::en), "") << "an answer step asks nothing";
    const auto wordsIn = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        std::vector<std::string> words;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find_first_of(" :", at), text.size());
            words.push_back(text.substr(at, end - at));
            at = text.find_first_not_of(" :", end);
        }
        return words;
    };
    for (const LanguageName& l : languages)
        for (const Question q : {Question::compare, Question::combine})
            for (int answer : {0, 1})
                for (const char* verdict : {l.words->correct, l.words->incorrect}) {
                    const std::vector<std::string> said = wordsIn(filled(verdict, {""}));
                    for (const std::string& word : wordsIn(answerWord(q, answer, l.language)))
                        EXPECT_EQ(std::count(said.begin(), said.end(), word), 0) << word << " against " << verdict;
                }
}

// The first answer to a step counts once; a jump (End, Page Down) past questions counts those not
// answered as skipped, until they are.
TEST(Ask, ScoreCountsFirstAnswersAndSkippedQuestions)
{
    const Explained<Point2> fixed(fixedSet); // questions at 0 (split), 1, 2 (leaves), 3 (combine), 6 (end)
    struct Case {
        std::vector<std::pair<StepKey, int>> moves; // a key, then an answer (1 right, 0 wrong, -1 none) at the step
        const char* en;
        const char* sr;
    };
    const Case cases[] = {
        {{{StepKey::first, 1}, {StepKey::last, -1}}, "right 1 of 1 answered, 4 skipped",
         "tacno 1 od 1 odgovorenih, preskoceno 4"},
        {{{StepKey::first, 0}, {StepKey::nextCall, -1}, {StepKey::nextCall, -1}}, "right 0 of 1 answered, 2 skipped",
         "tacno 0 od 1 odgovorenih, preskoceno 2"},
        {{{StepKey::nextCall, -1}, {StepKey::previous, 1}, {StepKey::next, 1}}, "right 2 of 2 answered, 0 skipped",
         "tacno 2 od 2 odgovorenih, preskoceno 0"}, // the skipped leaf answered when stepped to again
        {{{StepKey::first, 1}, {StepKey::first, 0}, {StepKey::next, 1}}, "right 2 of 2 answered, 0 skipped",
         "tacno 2 od 2 odgovorenih, preskoceno 0"}, // the split's second answer does not count
    };
    for (const Case& c : cases) {
        AskScore score;
        StepPlayer player;
        for (const auto& [key, answer] : c.moves) {
            const std::size_t from = player.current;
            pressStepKey(player, fixed.steps, key);
            if (key != StepKey::next && player.current > from)
                skipQuestions(score, fixed.steps, defaultQuestionKinds, from, player.current);
            if (answer >= 0)
                takeAnswer(score, player.current, answer == 1);
        }
        EXPECT_EQ(scoreText(score, Language::en), c.en);
        EXPECT_EQ(scoreText(score, Language::sr), c.sr);
    }
}

// A question's picture holds back what the step finds: no split line before the split, no pair
// before a leaf's or the end's answer, no strip before the strip, no circle or kept pair; and it
// rings each record chosen.
TEST(Ask, PicturesHoldTheResultBack)
{
    const Explained<Point2> newBest(newBestSet), fixed(fixedSet);
    const auto question = [](const auto& e, std::size_t step, std::vector<int> chosen, int cursor = -1) {
        sceneExtent = SceneExtent{};
        return summary(questionPictureOf(layoutOf(e.run), e.steps[step], chosen, cursor));
    };
    const std::tuple<std::string, const char*, const char*> cases[] = {
        {question(fixed, 0, {}), "split", "call"},            // the split: the call's records, no line
        {question(newBest, 1, {0, 3}), "best", "chosen:3+1"}, // a leaf: no pair yet; the records chosen ringed
        {question(newBest, 4, {}), "edge", "split@"},         // a strip: its line, no edges
        {question(newBest, 5, {}), "circle", "compared:"},    // a comparison: the pair, no new best's circle
        {question(fixed, 3, {}), "best", "rightPair:"},       // a combine: both pairs, neither kept
        {question(fixed, 6, {}), "best", "call"},
        {question(fixed, 6, {}, 5), "best", "cursor:5+1s27"}, // the arrow keys' record squared
    };
    for (const auto& [picture, absent, present] : cases)
        EXPECT_TRUE(picture.find(absent) == std::string::npos && picture.find(present) != std::string::npos)
            << picture;
}

// The arrow keys go to the nearest record that way (across counting twice along), within 45
// degrees before any other; to an equal record by x order; nowhere past the last.
TEST(Ask, ArrowKeysReachEveryRecord)
{
    const Explained<Point2> set({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {5, 5}, {5, 5}, {9, 0}, {9, 9}});
    const std::array<int, 4> cases[] = {{-1, 1, 0, 0}, {0, 1, 0, 1}, {0, 0, 1, 3}, {0, -1, 0, 0}, {1, 0, 1, 4},
                                        {4, 1, 0, 2},  {5, 1, 0, 6}, {6, -1, 0, 5}, {6, 1, 0, 8}, {2, 1, 0, 7}};
    for (const auto& [from, dx, dy, to] : cases)
        EXPECT_EQ(recordToward(set.run, {0, 9}, from, dx, dy), to) << from << " " << dx << " " << dy;
}

TEST(Ask, KindsReadFromALinkOrRefused)
{
    const std::pair<const char*, std::optional<QuestionKinds>> cases[] = {
        {"split,leaf,strip,compare,combine,end", 0b1111110u},
        {"end,end", kindBit(Question::end)},
        {defaultQuestionsText, kindBit(Question::split) | kindBit(Question::leaf) | kindBit(Question::combine) |
                                   kindBit(Question::end)},
        {"", std::nullopt}, {"split,", std::nullopt}, {"Split", std::nullopt}, {"split,nope", std::nullopt}};
    for (const auto& [list, kinds] : cases)
        EXPECT_EQ(questionKindsOf(list), kinds) << list;
    EXPECT_EQ(questionKindsText(*questionKindsOf("end,split")), "split,end");
}
