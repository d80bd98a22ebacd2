// closest_explain's command line and the page's links, from one table of options: each option's
// name, its link parameter, the value it takes and its range, and its help line. The parser, the
// usage and help texts, the range messages and the page's links are all made from it.
#pragma once

#include "explain/language.hpp"
#include "explain/question_kinds.hpp"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct ExplainOptions {
    std::optional<std::string> like;   // one of the five programs
    std::optional<std::string> set;    // a set that teaches, by kind
    std::optional<long long> count;    // its records; with --cost, the most records
    std::optional<int> dimension;      // 2 or 3, of a set that teaches
    std::optional<unsigned> seed;      // the second a random set is seeded from
    std::optional<std::string> points; // a file, or - for standard input
    bool text = false;                 // the report (and with steps, the steps) without a window
    bool steps = false;                // every step as a line of text
    std::optional<long long> step;     // the step the window opens at, from 1
    std::optional<std::string> slide;  // a PNG file for the step as a slide, drawn without a window
    bool listing = false;              // the listing after the report, and its line before each step
    bool cost = false;                 // only the table of the cost against all pairs
    bool levels = false;               // only the set's recursion, a row per depth
    bool tree = false;                 // only the set's calls, a line each, indented by depth
    Language language = Language::sr;  // of the steps, the listing and the window's texts
    int digits = 0;                    // significant digits of the texts' numbers; 0: the shortest exact text
    std::optional<QuestionKinds> questions; // the kinds the page asks; with --steps, printed before their steps
    bool help = false;
};

// A command line that cannot be followed; what() says why.
struct OptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// closest_explain's message for what went wrong: "closest_explain: " and what.
std::string explainMessage(const std::string& what);

// The words one after another, the last two joined by last: "2 or 3", "a, b and c".
std::string joined(const std::vector<std::string>& words, const char* between = ", ", const char* last = " and ");

// A slide's size in pixels: a projector's.
inline constexpr int slideWidth = 1920;
inline constexpr int slideHeight = 1080;

// What --digits takes.
inline constexpr int leastDigits = 1;
inline constexpr int mostDigits = 17;

// The program whose set is shown when no set is named, and a set that teaches' dimension unless
// --dim says otherwise.
inline constexpr const char* defaultProgram = "closest2d_fixed14";
inline constexpr int defaultDimension = 2;

enum class OptionValue { none, word, whole, choice };

// One option: closest_explain's name for it and the page's link parameter (either may be absent:
// the page's view switches have no option, and a few options no parameter).
struct OptionRow {
    const char* option = nullptr;      // "--count"; nullptr for a switch of the page's alone
    const char* link = nullptr;        // "count"; nullptr where a link cannot say it
    OptionValue value = OptionValue::none; // what follows the option
    std::string valueName{};           // in the usage: "N", or the choices as "2|3"
    long long least = 0, most = 0;     // a whole number's range
    const char* belowLeast = nullptr;  // said of a whole number below least, instead of the range
    std::vector<std::string> choices{}; // a choice's words
    bool namesSet = false;             // the parameter names the set (else the view)
    const char* implies = nullptr;     // the link parameter it switches on too
    std::string help{};                // the help's line (a second after a newline)
    std::string (*refusal)(const std::string& word) = nullptr; // why a word is refused, or ""
    void (*apply)(ExplainOptions&, const std::string& word, long long number) = nullptr;
};

// Every option, in the order the help and the page's links name them.
const std::vector<OptionRow>& optionRows();

// The row of an option ("--count", or an alias such as "-h") or of a link parameter; or null.
const OptionRow* optionNamed(const std::string& option);
const OptionRow* linkParameterNamed(const std::string& name);

// The usage, as an unknown option's message and the help begin.
const std::string& explainUsage();

// The help's lines for the options, a line each ("  --count N       its records, ...").
std::string optionsHelp();

// The options of args (the words after the program's name). Throws OptionError.
ExplainOptions parseExplainOptions(const std::vector<std::string>& args);

// A value refused by its row (a word out of range, not a number, not a choice), or "".
std::string valueRefusal(const OptionRow& row, const std::string& value);
