#include "explain/options.hpp"

#include "explain/cost.hpp"
#include "explain/point_file.hpp"
#include "explain/step_text.hpp"
#include "run/format.hpp"
#include "sets/program_sets.hpp"
#include "sets/teaching_sets.hpp"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

std::vector<std::string> languageCodes()
{
    std::vector<std::string> codes;
    for (const LanguageName& l : languages)
        codes.emplace_back(l.name);
    return codes;
}

std::string teachingSetsHelp()
{
    std::string lines;
    for (const TeachingSet& set : teachingSets)
        lines += printfText("\n%-9s %s", set.name, set.description);
    return lines;
}

// The table. A row's help may run over several lines; the help indents the ones after its first.
std::vector<OptionRow> makeRows()
{
    using V = OptionValue;
    const std::string leastCount = std::to_string(teachingLeastCount), mostCount = std::to_string(teachingMostCount);
    std::vector<OptionRow> rows = {
        {.option = "--like", .link = "program", .value = V::word, .valueName = "PROGRAM", .namesSet = true,
         .help = "the set of one of the programs (" + namesText(programSets) + ");\n" + defaultProgram +
                 " when no set is given",
         .apply = [](ExplainOptions& o, const std::string& w, long long) { o.like = w; }},
        {.option = "--set", .link = "set", .value = V::word, .valueName = "KIND", .namesSet = true,
         .help = "a set that teaches, of one of these kinds:" + teachingSetsHelp(),
         .apply = [](ExplainOptions& o, const std::string& w, long long) { o.set = w; }},
        {.option = "--count", .link = "count", .value = V::whole, .valueName = "N", .least = teachingLeastCount,
         .most = teachingMostCount, .namesSet = true,
         .help = "its records, " + leastCount + " to " + mostCount + " (" + std::to_string(teachingDefaultCount) +
                 " by default)",
         .apply = [](ExplainOptions& o, const std::string&, long long n) { o.count = n; }},
        {.option = "--dim", .link = "dim", .value = V::choice, .choices = {"2", "3"}, .namesSet = true,
         .help = "its dimension (" + std::to_string(defaultDimension) + " by default)",
         .apply = [](ExplainOptions& o, const std::string& w, long long) { o.dimension = w[0] - '0'; }},
        {.option = "--seed", .link = "seed", .value = V::whole, .valueName = "SECOND", .least = 0, .most = UINT_MAX,
         .namesSet = true,
         .help = "a random set's seed, 0 to " + std::to_string(UINT_MAX) + " (the current second by default)",
         .apply = [](ExplainOptions& o, const std::string&, long long n) { o.seed = static_cast<unsigned>(n); }},
        {.option = "--points", .link = "points", .value = V::word, .valueName = "FILE", .namesSet = true,
         .help = "2 or 3 numbers a line, separated by spaces, tabs or commas; - is standard input",
         .apply = [](ExplainOptions& o, const std::string& w, long long) { o.points = w; }},
        {.link = "explain"},
        {.option = "--text", .help = "no window: the report, and with --steps the steps",
         .apply = [](ExplainOptions& o, const std::string&, long long) { o.text = true; }},
        {.option = "--steps", .help = "every step as a line of text",
         .apply = [](ExplainOptions& o, const std::string&, long long) { o.steps = true; }},
        {.option = "--step", .link = "step", .value = V::whole, .valueName = "K", .least = 1, .most = LLONG_MAX,
         .belowLeast = "counts from 1", .implies = "explain", .help = "the step the window opens at (or --slide draws), from 1",
         .apply = [](ExplainOptions& o, const std::string&, long long n) { o.step = n; }},
        {.option = "--slide", .value = V::word, .valueName = "FILE",
         .help = printfText("no report and no window: the step (--step, 1 by default) as a slide of %d x %d\n"
                            "pixels, its picture, text, listing line and legend in projector mode, into a PNG file",
                            slideWidth, slideHeight),
         .apply = [](ExplainOptions& o, const std::string& w, long long) { o.slide = w; }},
        {.option = "--listing", .help = "the search's listing after the report, and each step's line in it",
         .apply = [](ExplainOptions& o, const std::string&, long long) { o.listing = true; }},
        {.option = "--lang", .link = "lang", .value = V::choice, .choices = languageCodes(),
         .help = std::string("the language of the steps, the listing and the window (") +
                 languageCode(ExplainOptions{}.language) + " by default)",
         .apply = [](ExplainOptions& o, const std::string& w, long long) { o.language = *languageOf(w); }},
        {.option = "--digits", .link = "digits", .value = V::whole, .valueName = "N", .least = leastDigits,
         .most = mostDigits,
         .help = printfText("the steps' numbers to N significant digits (%d to %d), marked where rounded:\n"
                            "%s in the text, %s in the window; by default the shortest exact text",
                            leastDigits, mostDigits, NumberStyle{}.roundedMark, asciiRoundedMark),
         .apply = [](ExplainOptions& o, const std::string&, long long n) { o.digits = static_cast<int>(n); }},
        {.link = "follow"},
        {.link = "large"},
        {.link = "ask", .implies = "explain"},
        {.link = "present", .implies = "large"},
        {.option = "--questions", .link = "questions", .value = V::word, .valueName = "KINDS", .implies = "ask",
         .help = std::string("the questions the page asks, by kind (split, leaf, strip, compare, combine, end,\n"
                             "separated by commas; ") + defaultQuestionsText + " by default); with --steps, each "
                             "printed before its step",
         .refusal = [](const std::string& w) {
             return questionKindsOf(w) ? std::string()
                                       : "--questions takes kinds of question separated by commas (" +
                                             questionKindsText(~0u) + "), not " + quotedText(w);
         },
         .apply = [](ExplainOptions& o, const std::string& w, long long) { o.questions = questionKindsOf(w); }},
        {.option = "--cost",
         .help = printfText("only a table of the distances computed against all pairs, for sets of the\n"
                            "kind (%s by default) of %lld, %lld, %lld, ... records up to --count (%lld)",
                            costDefaultKind, costLeastCount, 2 * costLeastCount, 4 * costLeastCount, costDefaultMost),
         .apply = [](ExplainOptions& o, const std::string&, long long) { o.cost = true; }},
        {.option = "--levels",
         .help = "only a table of the set's recursion, a row per depth: its calls, their records,\n"
                 "the records their y-splits moved, their strips' records and their distances",
         .apply = [](ExplainOptions& o, const std::string&, long long) { o.levels = true; }},
        {.option = "--tree",
         .help = "only the set's calls as a tree, a line each in the order they begin, indented\n"
                 "by depth: its records, its split x and the d it returned",
         .apply = [](ExplainOptions& o, const std::string&, long long) { o.tree = true; }},
        {.option = "--help", .apply = [](ExplainOptions& o, const std::string&, long long) { o.help = true; }},
    };
    for (OptionRow& row : rows)
        if (row.value == V::choice)
            row.valueName = joined(row.choices, "|", "|");
    return rows;
}

// What the rows cannot say: options that exclude or need one another, in the order they are checked.
struct OptionRule {
    bool (*broken)(const ExplainOptions&);
    const char* message;
};

constexpr OptionRule rules[] = {
    {[](const ExplainOptions& o) { return o.cost && (o.like || o.points || o.step || o.steps); },
     "--cost counts the sets that teach; it takes no --like, --points, --step or --steps"},
    {[](const ExplainOptions& o) { return o.levels && o.tree; }, "--levels and --tree each print a table: take one"},
    {[](const ExplainOptions& o) { return (o.levels || o.tree) && (o.cost || o.text || o.step || o.steps || o.listing); },
     "--levels and --tree print only their table; they take no --cost, --text, --step, --steps or --listing"},
    {[](const ExplainOptions& o) { return o.set && (o.like || o.points); },
     "--set, --like and --points each give a set: take one"},
    {[](const ExplainOptions& o) { return o.like && o.points; }, "--like and --points each give a set: take one"},
    {[](const ExplainOptions& o) { return o.count && !o.set && !o.cost; }, "--count goes with --set or --cost"},
    {[](const ExplainOptions& o) { return o.dimension && !o.set && !o.cost; }, "--dim goes with --set or --cost"},
    {[](const ExplainOptions& o) { return o.seed && !o.like && !o.set && !o.cost; },
     "--seed goes with --like and a random program, --set or --cost"},
    {[](const ExplainOptions& o) { return o.slide && (o.text || o.steps || o.listing || o.cost || o.levels || o.tree); },
     "--slide draws one step into a file; it takes no --text, --steps, --listing, --cost, --levels or --tree"},
    {[](const ExplainOptions& o) { return o.step && o.text; },
     "--step chooses where the window opens; --text opens none"},
};


// A whole number from least to most, in decimal digits alone: its value, or why not.
std::string wholeRefusal(const OptionRow& row, const std::string& text, long long& value)
{
    unsigned long long read = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, read);
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    const bool negative = text.size() > 1 && text[0] == '-' && text.find_first_not_of("0123456789", 1) == std::string::npos;
    const bool above = error == std::errc::result_out_of_range || read > static_cast<unsigned long long>(row.most);
    const bool below = negative || (!above && static_cast<long long>(read) < row.least);
    if (row.belowLeast != nullptr && below && (digits || negative))
        return std::string(row.option) + " " + row.belowLeast;
    if ((digits && (above || below)) || negative)
        return std::string(row.option) + " " + quotedText(text) + " is out of range: " + std::to_string(row.least) +
               " to " + std::to_string(row.most);
    if (!digits || stop != end || error != std::errc())
        return std::string(row.option) + " takes a whole number, not " + quotedText(text);
    value = static_cast<long long>(read);
    return "";
}

} // namespace

std::string explainMessage(const std::string& what) { return "closest_explain: " + what; }

std::string joined(const std::vector<std::string>& words, const char* between, const char* last)
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i)
        text += (i == 0 ? "" : i + 1 == words.size() ? last : between) + words[i];
    return text;
}

const std::vector<OptionRow>& optionRows()
{
    static const std::vector<OptionRow> rows = makeRows();
    return rows;
}

const OptionRow* optionNamed(const std::string& option)
{
    const std::string name = option == "-h" ? "--help" : option;
    for (const OptionRow& row : optionRows())
        if (row.option != nullptr && name == row.option)
            return &row;
    return nullptr;
}

const OptionRow* linkParameterNamed(const std::string& name)
{
    for (const OptionRow& row : optionRows())
        if (row.link != nullptr && name == row.link)
            return &row;
    return nullptr;
}

const std::string& explainUsage()
{
    static const std::string usage = [] {
        std::string text = "usage: closest_explain [{--like} | {--set} [{--count}] [{--dim}] | {--points}] [{--seed}]\n"
                           "                       [{--text}] [{--steps}] [{--step}] [{--listing}] [{--lang}] "
                           "[{--digits}]\n"
                           "                       [{--questions}]\n"
                           "       closest_explain {--cost} [{--set}] [{--dim}] [{--count}] [{--seed}]\n"
                           "       closest_explain {--levels} | {--tree} [a set as above] [{--lang}] [{--digits}]\n"
                           "       closest_explain {--slide} [a set as above] [{--step}] [{--lang}] [{--digits}]";
        for (const OptionRow& row : optionRows()) {
            if (row.option == nullptr)
                continue;
            const std::string marker = std::string("{") + row.option + "}";
            const std::string said = row.option + (row.valueName.empty() ? "" : " " + row.valueName);
            for (std::size_t at; (at = text.find(marker)) != std::string::npos;)
                text.replace(at, marker.size(), said);
        }
        return text;
    }();
    return usage;
}

std::string optionsHelp()
{
    std::string text;
    for (const OptionRow& row : optionRows()) {
        if (row.option == nullptr || row.help.empty())
            continue;
        const std::string said = row.option + (row.valueName.empty() ? "" : " " + row.valueName);
        std::string help = row.help;
        for (std::size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += 19)
            help.insert(at + 1, 18, ' ');
        text += printfText("  %-15s %s\n", said.c_str(), help.c_str());
    }
    return text;
}

std::string valueRefusal(const OptionRow& row, const std::string& value)
{
    long long number = 0;
    if (row.value == OptionValue::whole)
        return wholeRefusal(row, value, number);
    if (row.refusal != nullptr)
        return row.refusal(value);
    if (row.value == OptionValue::choice && std::find(row.choices.begin(), row.choices.end(), value) == row.choices.end())
        return std::string(row.option) + " takes " + joined(row.choices, ", ", " or ") + ", not " + quotedText(value);
    return "";
}

ExplainOptions parseExplainOptions(const std::vector<std::string>& args)
{
    ExplainOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionRow* row = optionNamed(args[i]);
        if (row == nullptr)
            throw OptionError("unknown option " + quotedText(args[i]) + "; " + explainUsage());
        const bool takesValue = row->value != OptionValue::none;
        if (takesValue && i + 1 == args.size())
            throw OptionError(args[i] + " needs a value");
        const std::string value = takesValue ? args[++i] : "";
        if (takesValue && value.empty())
            throw OptionError(args[i - 1] + " needs a value, not an empty word");
        long long number = 0;
        const std::string refused =
            row->value == OptionValue::whole ? wholeRefusal(*row, value, number) : valueRefusal(*row, value);
        if (!refused.empty())
            throw OptionError(refused);
        row->apply(o, value, number);
    }
    for (const OptionRule& rule : rules)
        if (rule.broken(o))
            throw OptionError(rule.message);
    return o;
}
