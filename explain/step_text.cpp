#include "explain/step_text.hpp"

#include "run/format.hpp"
#include "run/report.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// shortestText, kept for the numbers written last: a step's text, the calls under way and the tree
// of calls write the same few numbers, and each takes up to 17 rounds of printf and strtod (3 us a
// number in WebAssembly).
const std::string& knownShortestText(double value)
{
    struct Known {
        std::uint64_t bits = 0;
        std::string text;
    };
    thread_local std::array<Known, 64> known;
    std::uint64_t bits = 0; // not the value: -0 and 0 are equal, and their texts are not
    std::memcpy(&bits, &value, sizeof bits);
    Known& slot = known[(bits * 0x9E3779B97F4A7C15u) >> 58];
    if (slot.text.empty() || slot.bits != bits)
        slot = {bits, shortestText(value)};
    return slot.text;
}

template <class Point>
struct Describe {
    const ClosestPairRun<Point>& run;
    Language language;
    NumberStyle numbers;
    const Words& w = wordsOf(language);

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
        const std::string window = s.bestSquared < s.windowSquared ? filled(w.windowNote, {distance(s.windowSquared)}) : "";
        return filled(w.compare, {std::to_string(s.comparison), point(s.compared.first), point(s.compared.second),
                                  distance(s.distanceSquared), verdict, window});
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
        const bool paired = s.bestSquared < DBL_MAX && first != nullptr && second != nullptr;
        const std::string result =
            filled(w.endResult, {printfText("%f", std::sqrt(s.bestSquared)), paired ? pairText(first, second, fixedText) : w.noPair,
                                 resultLine("Min: %f; ", s.bestSquared, first, second)});
        return filled(w.end, {result,
                              counted(s.distances, language, Noun::distance), std::to_string(pairCount(s.count)),
                              std::to_string(s.mostComparisons)});
    }
};

} // namespace

const char* nounFor(double count, Language language, Noun noun)
{
    const Words& w = wordsOf(language);
    return w.nouns[static_cast<int>(noun)][w.formFor(count)];
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
        return knownShortestText(value);
    const std::string scientific = printfText("%.*e", style.digits - 1, value);
    const double rounded = std::strtod(scientific.c_str(), nullptr);
    if (rounded == value)
        return knownShortestText(value); // no more digits than asked for, since these read back
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
