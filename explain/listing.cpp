#include "explain/listing.hpp"

#include "explain/step_text.hpp"

#include <map>
#include <variant>

namespace {

// The line of each kind of step, in Step's order: split, leaf, combine, strip, compare, answer, end.
constexpr int kindLines[] = {4, 3, 8, 9, 12, 13, 14};
static_assert(std::size(kindLines) == std::variant_size_v<Step>);

} // namespace

const std::vector<std::string>& listingLines(Language language)
{
    static std::map<Language, std::vector<std::string>> listings; // made once for each language
    std::vector<std::string>& lines = listings[language];
    if (lines.empty())
        for (const char* line : wordsOf(language).listing)
            lines.push_back(filled(line, {counted(divideLeafMostCount, language, Noun::recordObject)}));
    return lines;
}

int listingLine(const Step& step) { return kindLines[step.index()]; }
