#include "explain/options.hpp"

#include "explain/point_file.hpp"
#include "run/format.hpp"
#include "sets/teaching_sets.hpp"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

std::string quoted(const std::string& text) { return "'" + shownText(text) + "'"; }

// A whole number from least to most, in decimal digits alone.
long long wholeNumber(const std::string& option, const std::string& text, long long least, long long most)
{
    unsigned long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    const bool negative = text.size() > 1 && text[0] == '-' && text.find_first_not_of("0123456789", 1) == std::string::npos;
    const bool outside = error == std::errc::result_out_of_range || value > static_cast<unsigned long long>(most) ||
                         static_cast<long long>(value) < least;
    const std::string range = std::to_string(least) + " to " + std::to_string(most);
    if ((digits && outside) || negative)
        throw OptionError(option + " " + quoted(text) + " is out of range: " + range);
    if (!digits || stop != end || error != std::errc())
        throw OptionError(option + " takes a whole number, not " + quoted(text));
    return static_cast<long long>(value);
}

// The options that take a value, and what follows from one.
const char* const valued[] = {"--like", "--set", "--count", "--dim", "--seed", "--points", "--step", "--lang",
                              "--digits"};

} // namespace

ExplainOptions parseExplainOptions(const std::vector<std::string>& args)
{
    ExplainOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool takesValue = std::find(std::begin(valued), std::end(valued), option) != std::end(valued);
        if (takesValue && i + 1 == args.size())
            throw OptionError(option + " needs a value");
        const std::string value = takesValue ? args[++i] : "";
        if (takesValue && value.empty())
            throw OptionError(option + " needs a value, not an empty word");
        if (option == "--like")
            o.like = value;
        else if (option == "--set")
            o.set = value;
        else if (option == "--count")
            o.count = wholeNumber(option, value, teachingLeastCount, teachingMostCount);
        else if (option == "--dim" && value != "2" && value != "3")
            throw OptionError("--dim takes 2 or 3, not " + quoted(value));
        else if (option == "--dim")
            o.dimension = value[0] - '0';
        else if (option == "--seed")
            o.seed = static_cast<unsigned>(wholeNumber(option, value, 0, UINT_MAX));
        else if (option == "--points")
            o.points = value;
        else if (option == "--step" && value.size() > 1 && value[0] == '-' && value[1] >= '0' && value[1] <= '9')
            throw OptionError("--step counts from 1");
        else if (option == "--step")
            o.step = wholeNumber(option, value, 0, LLONG_MAX);
        else if (option == "--lang" && !languageOf(value))
            throw OptionError("--lang takes " + namesText(languages, " or ") + ", not " + quoted(value));
        else if (option == "--lang")
            o.language = *languageOf(value);
        else if (option == "--digits")
            o.digits = static_cast<int>(wholeNumber(option, value, leastDigits, mostDigits));
        else if (option == "--text")
            o.text = true;
        else if (option == "--steps")
            o.steps = true;
        else if (option == "--listing")
            o.listing = true;
        else if (option == "--cost")
            o.cost = true;
        else if (option == "--help" || option == "-h")
            o.help = true;
        else
            throw OptionError("unknown option " + quoted(option) + "; " + explainUsage);
    }
    if (o.cost && (o.like || o.points || o.step || o.steps))
        throw OptionError("--cost counts the sets that teach; it takes no --like, --points, --step or --steps");
    if (o.set && (o.like || o.points))
        throw OptionError("--set, --like and --points each give a set: take one");
    if (o.like && o.points)
        throw OptionError("--like and --points each give a set: take one");
    if ((o.count || o.dimension) && !o.set && !o.cost)
        throw OptionError(std::string(o.count ? "--count" : "--dim") + " goes with --set or --cost");
    if (o.seed && !o.like && !o.set && !o.cost)
        throw OptionError("--seed goes with --like and a random program, --set or --cost");
    if (o.step && o.text)
        throw OptionError("--step chooses where the window opens; --text opens none");
    if (o.step && *o.step < 1)
        throw OptionError("--step counts from 1");
    return o;
}
