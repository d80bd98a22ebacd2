#include "explain/step_text.hpp"

#include "run/format.hpp"
#include "run/report.hpp"

#include <cmath>
#include <cstdlib>

namespace {

// The steps' texts, one pattern per kind and language; the comments name what each {i} holds.
struct StepWords {
    const char* stepOf;  // {0} the step's number, {1} how many there are
    const char* split;   // {0} the call's records, {1} mx, {2} left count, {3} right count
    const char* leaf;    // {0} records, {1} pairs, {2} the closest pair, {3} its d
    const char* combine; // {0} left d, {1} right d, {2} which pair stays, {3} that pair
    const char* keptRight;
    const char* keptOnTie;
    const char* keptLeft;
    const char* strip;   // {0} left edge, {1} right edge, {2} d, {3} left count, {4} right records
    const char* compare; // {0} its number for the left record, {1} that record, {2} the right, {3} d, {4} verdict
    const char* newBest;
    const char* notSmaller; // {0} the best d
    const char* answer;     // {0} records, {1} d, {2} the pair
    const char* end;        // {0} the report's line, {1} distances, {2} all pairs, {3} most comparisons
    const char* infinity;
    const char* noPair;
};

constexpr StepWords stepWords[] = {
    {
        .stepOf = "Korak {0} od {1}",
        .split = "Podela: {0} deli prava x = {1}: levo {2}, desno {3}",
        .leaf = "Svi parovi: {0}, {1}; najblizi {2}, d = {3}",
        .combine = "Spajanje: levo d = {0}, desno d = {1}; {2} {3}",
        .keptRight = "ostaje desni par",
        .keptOnTie = "jednaki, ostaje levi par",
        .keptLeft = "ostaje levi par",
        .strip = "Pojas: od x = {0} do x = {1} (d = {2}): levo {3}, desno {4}",
        .compare = "{0}. poredjenje za {1}, sa {2}: d = {3}, {4}",
        .newBest = "novi najbolji par",
        .notSmaller = "nije manje od {0}",
        .answer = "Rezultat poziva nad {0}: d = {1}, {2}",
        .end = "Kraj: {0}; izracunato {1}, svi parovi: {2}; najvise poredjenja jedne tacke u pojasu: {3}",
        .infinity = "beskonacno",
        .noPair = "nema para",
    },
    {
        .stepOf = "Step {0} of {1}",
        .split = "Split: the line x = {1} splits {0}: left {2}, right {3}",
        .leaf = "All pairs: {0}, {1}; closest {2}, d = {3}",
        .combine = "Combine: left d = {0}, right d = {1}; {2} {3}",
        .keptRight = "the right pair stays",
        .keptOnTie = "equal, the left pair stays",
        .keptLeft = "the left pair stays",
        .strip = "Strip: from x = {0} to x = {1} (d = {2}): left {3}, right {4}",
        .compare = "Comparison {0} for {1}, with {2}: d = {3}, {4}",
        .newBest = "a new best pair",
        .notSmaller = "not less than {0}",
        .answer = "The call's result over {0}: d = {1}, {2}",
        .end = "End: {0}; {1} computed, all pairs: {2}; most comparisons of one strip record: {3}",
        .infinity = "infinity",
        .noPair = "no pair",
    },
};

// Each noun's singular, paucal and plural, by language and Noun.
constexpr const char* nounForms[][6][3] = {
    {{"tacka", "tacke", "tacaka"},
     {"tacku", "tacke", "tacaka"},
     {"tackom", "tacke", "tacaka"},
     {"par", "para", "parova"},
     {"rastojanje", "rastojanja", "rastojanja"},
     {"korak", "koraka", "koraka"}},
    {{"point", "points", "points"},
     {"point", "points", "points"},
     {"point", "points", "points"},
     {"pair", "pairs", "pairs"},
     {"distance", "distances", "distances"},
     {"step", "steps", "steps"}},
};

const StepWords& wordsOf(Language language) { return stepWords[static_cast<int>(language)]; }

template <class Point>
struct Describe {
    const ClosestPairRun<Point>& run;
    Language language;
    NumberStyle numbers;
    const StepWords& w = wordsOf(language);

    std::string number(double value) const { return numberText(value, numbers); }
    auto writer() const
    {
        return [this](double value) { return number(value); };
    }
    std::string pair(RecordPair p) const
    {
        return p.exists() ? pairText(&run.records[p.first], &run.records[p.second], writer()) : w.noPair;
    }
    std::string point(int record) const { return pointText(run.records[record], writer()); }
    std::string distance(double squared) const { return distanceText(squared, language, numbers); }
    std::string records(int count, Noun noun = Noun::record) const { return counted(count, language, noun); }

    std::string operator()(const SplitStep& s) const
    {
        const CallRecords& c = s.call.records;
        return filled(w.split, {records(c.count, Noun::recordObject), number(s.call.mx),
                                std::to_string(s.call.half), std::to_string(c.count - s.call.half)});
    }
    std::string operator()(const LeafStep& s) const
    {
        return filled(w.leaf, {records(s.call.count), counted(pairCount(s.call.count), language, Noun::pair),
                               pair(s.pair), distance(s.bestSquared)});
    }
    std::string operator()(const CombineStep& s) const
    {
        const char* choice = s.keepsRight                       ? w.keptRight
                             : s.leftSquared == s.rightSquared ? w.keptOnTie
                                                               : w.keptLeft;
        return filled(w.combine, {distance(s.leftSquared), distance(s.rightSquared), choice, pair(s.kept())});
    }
    std::string operator()(const StripStep& s) const
    {
        const double width = std::sqrt(s.strip.widthSquared);
        return filled(w.strip, {number(s.call.mx - width), number(s.call.mx + width),
                                distance(s.strip.widthSquared), std::to_string(s.strip.leftCount),
                                records(s.strip.rightCount)});
    }
    std::string operator()(const CompareStep& s) const
    {
        const std::string verdict = s.newBest ? w.newBest : filled(w.notSmaller, {distance(s.bestSquared)});
        return filled(w.compare, {std::to_string(s.comparison), point(s.compared.first), point(s.compared.second),
                                  distance(s.distanceSquared), verdict});
    }
    std::string operator()(const AnswerStep& s) const
    {
        return filled(w.answer,
                      {records(s.call.records.count, Noun::recordAfterOver), distance(s.bestSquared), pair(s.pair)});
    }
    std::string operator()(const EndStep& s) const
    {
        const Point* first = s.pair.first < 0 ? nullptr : &run.records[s.pair.first];
        const Point* second = s.pair.second < 0 ? nullptr : &run.records[s.pair.second];
        return filled(w.end, {resultLine("Min: %f; ", s.bestSquared, first, second),
                              counted(s.distances, language, Noun::distance), std::to_string(pairCount(s.count)),
                              std::to_string(s.mostComparisons)});
    }
};

} // namespace

const char* nounFor(double count, Language language, Noun noun)
{
    int form = 2;
    if (count != std::floor(count)) {
        form = language == Language::sr ? 1 : 2; // "0.25 koraka", "0.25 steps"
    } else if (language == Language::en) {
        form = count == 1 ? 0 : 2;
    } else {
        const long long n = std::llabs(static_cast<long long>(count));
        const long long units = n % 10;
        if (n % 100 / 10 != 1)
            form = units == 1 ? 0 : units >= 2 && units <= 4 ? 1 : 2;
    }
    return nounForms[static_cast<int>(language)][static_cast<int>(noun)][form];
}

std::string counted(long long count, Language language, Noun noun)
{
    return std::to_string(count) + " " + nounFor(static_cast<double>(count), language, noun);
}

std::string filled(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool slot = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}';
        const auto arg = slot ? static_cast<std::size_t>(pattern[i + 1] - '0') : args.size();
        if (arg < args.size()) {
            text += args.begin()[arg];
            i += 2;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string stepOfText(std::size_t number, std::size_t total, Language language)
{
    return filled(wordsOf(language).stepOf, {std::to_string(number), std::to_string(total)});
}

std::string numberText(double value, NumberStyle style)
{
    if (style.digits == 0 || !std::isfinite(value))
        return shortestText(value);
    const std::string scientific = printfText("%.*e", style.digits - 1, value);
    const double rounded = std::strtod(scientific.c_str(), nullptr);
    if (rounded == value)
        return shortestText(value); // no more digits than asked for, since these read back
    // Rounded past the largest double (only next to it): printf's text.
    return style.roundedMark + (std::isfinite(rounded) ? shortestText(rounded) : scientific);
}

std::string distanceText(double squared, Language language, NumberStyle numbers)
{
    return squared < DBL_MAX ? numberText(std::sqrt(squared), numbers) : wordsOf(language).infinity;
}

template <class Point>
std::string describeStep(const ClosestPairRun<Point>& run, const Step& step, Language language, NumberStyle numbers)
{
    return std::visit(Describe<Point>{run, language, numbers}, step);
}

template <class Point>
std::string numberedStep(const ClosestPairRun<Point>& run, const Step& step, std::size_t number, std::size_t total,
                         Language language, NumberStyle numbers)
{
    return stepOfText(number, total, language) + ": " + describeStep(run, step, language, numbers);
}

template std::string describeStep(const ClosestPairRun<Point2>&, const Step&, Language, NumberStyle);
template std::string describeStep(const ClosestPairRun<Point3>&, const Step&, Language, NumberStyle);
template std::string numberedStep(const ClosestPairRun<Point2>&, const Step&, std::size_t, std::size_t, Language,
                                  NumberStyle);
template std::string numberedStep(const ClosestPairRun<Point3>&, const Step&, std::size_t, std::size_t, Language,
                                  NumberStyle);
