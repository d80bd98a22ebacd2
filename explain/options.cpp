#include "explain/options.hpp"

#include "explain/point_file.hpp"

#include <charconv>
#include <climits>

namespace {

std::string quoted(const std::string& text) { return "'" + shownText(text) + "'"; }

// A whole number from 0 to most, in decimal digits alone.
unsigned long long wholeNumber(const std::string& option, const std::string& text, unsigned long long most)
{
    unsigned long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    const bool negative = text.size() > 1 && text[0] == '-' && text.find_first_not_of("0123456789", 1) == std::string::npos;
    if ((digits && (error == std::errc::result_out_of_range || value > most)) || negative)
        throw OptionError(option + " " + quoted(text) + " is out of range: 0 to " + std::to_string(most));
    if (!digits || stop != end || error != std::errc())
        throw OptionError(option + " takes a whole number, not " + quoted(text));
    return value;
}

} // namespace

ExplainOptions parseExplainOptions(const std::vector<std::string>& args)
{
    ExplainOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool takesValue = option == "--like" || option == "--seed" || option == "--points" || option == "--step";
        if (takesValue && i + 1 == args.size())
            throw OptionError(option + " needs a value");
        const std::string value = takesValue ? args[++i] : "";
        if (takesValue && value.empty())
            throw OptionError(option + " needs a value, not an empty word");
        if (option == "--like")
            o.like = value;
        else if (option == "--seed")
            o.seed = static_cast<unsigned>(wholeNumber(option, value, UINT_MAX));
        else if (option == "--points")
            o.points = value;
        else if (option == "--step" && value.size() > 1 && value[0] == '-' && value[1] >= '0' && value[1] <= '9')
            throw OptionError("--step counts from 1");
        else if (option == "--step")
            o.step = static_cast<long long>(wholeNumber(option, value, LLONG_MAX));
        else if (option == "--text")
            o.text = true;
        else if (option == "--steps")
            o.steps = true;
        else if (option == "--help" || option == "-h")
            o.help = true;
        else
            throw OptionError("unknown option " + quoted(option) + "; " + explainUsage);
    }
    if (o.like && o.points)
        throw OptionError("--like and --points each give a set: take one");
    if (o.seed && !o.like)
        throw OptionError("--seed goes with --like and a random program");
    if (o.step && o.text)
        throw OptionError("--step chooses where the window opens; --text opens none");
    if (o.step && *o.step < 1)
        throw OptionError("--step counts from 1");
    return o;
}
