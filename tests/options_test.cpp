// closest_explain's table of options, as the command line and the page's links use it: every row
// parsed and refused as its range says, links read and written back to the same view, every key
// bound and labelled, and the legend's words saying the palette's colours in each language.
#include "explain/driver.hpp"
#include "explain/legend.hpp"
#include "explain/link.hpp"
#include "explain/stepper.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>

namespace {

std::string refusal(const std::vector<std::string>& args)
{
    try {
        parseExplainOptions(args);
    } catch (const OptionError& e) {
        return e.what();
    }
    return "";
}

// One past a whole number's end of the range, as text (past LLONG_MAX too).
std::string beyond(long long bound, int direction)
{
    if (direction > 0 && bound == LLONG_MAX)
        return "9223372036854775808";
    return std::to_string(bound + direction);
}

TEST(OptionTable, EveryRowParsedAndRefusedAsItsRangeSays)
{
    for (const OptionRow& row : optionRows()) {
        if (row.option == nullptr)
            continue;
        const std::string option = row.option;
        SCOPED_TRACE(option);
        const std::string said = option + (row.valueName.empty() ? "" : " " + row.valueName);
        EXPECT_TRUE(row.help.empty() || optionsHelp().find("  " + said) != std::string::npos);
        if (row.value == OptionValue::none) {
            EXPECT_EQ(valueRefusal(row, ""), "");
            continue;
        }
        EXPECT_EQ(refusal({option}), option + " needs a value");
        EXPECT_EQ(refusal({option, ""}), option + " needs a value, not an empty word");
        EXPECT_NE(explainUsage().find(option + " " + row.valueName), std::string::npos);
        if (row.value == OptionValue::whole) {
            const std::string range = std::to_string(row.least) + " to " + std::to_string(row.most);
            for (const long long good : {row.least, row.most})
                EXPECT_EQ(valueRefusal(row, std::to_string(good)), "");
            const std::string below = beyond(row.least, -1), above = beyond(row.most, 1);
            EXPECT_EQ(valueRefusal(row, below), row.belowLeast ? option + " " + row.belowLeast
                                                                : option + " '" + below + "' is out of range: " + range);
            EXPECT_EQ(valueRefusal(row, above), option + " '" + above + "' is out of range: " + range);
            EXPECT_EQ(valueRefusal(row, "1x"), option + " takes a whole number, not '1x'");
        }
        if (row.value == OptionValue::choice) {
            for (const std::string& choice : row.choices)
                EXPECT_EQ(valueRefusal(row, choice), "");
            EXPECT_EQ(valueRefusal(row, "x"), option + " takes " + row.choices.front() + " or " + row.choices.back() +
                                                  ", not 'x'");
        }
    }
    EXPECT_EQ(refusal({"--step", "-3"}), "--step counts from 1");
    EXPECT_EQ(refusal({"--seed", "18446744073709551616"}), "--seed '18446744073709551616' is out of range: 0 to 4294967295");
    const ExplainOptions o = parseExplainOptions({"--set", "line", "--count", "10000000", "--dim", "3", "--seed",
                                                  "4294967295", "--lang", "en", "--digits", "17", "--listing"});
    EXPECT_TRUE(o.set == "line" && o.count == 10000000 && o.dimension == 3 && o.seed == 4294967295u &&
                o.language == Language::en && o.digits == 17 && o.listing && !o.text && !o.step);
    EXPECT_TRUE(parseExplainOptions({"--points", "-", "--step", "12", "--steps"}).step == 12);
    EXPECT_TRUE(parseExplainOptions({"-h"}).help && parseExplainOptions({"--cost"}).cost);
    EXPECT_TRUE(parseExplainOptions({"--like", "x", "--text"}).like == "x");
}

// What one option needs or excludes of another, checked once every value is read.
TEST(OptionTable, RulesBetweenOptions)
{
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--seed", "5"}, "--seed goes with --like and a random program, --set or --cost"},
        {{"--like", "a", "--points", "b"}, "--like and --points each give a set: take one"},
        {{"--points", "a", "--set", "uniform"}, "--set, --like and --points each give a set: take one"},
        {{"--count", "20"}, "--count goes with --set or --cost"},
        {{"--like", "closest2d_rand14", "--dim", "3"}, "--dim goes with --set or --cost"},
        {{"--cost", "--steps"}, "--cost counts the sets that teach; it takes no --like, --points, --step or --steps"},
        {{"--step", "2", "--text"}, "--step chooses where the window opens; --text opens none"},
        {{"--levels", "--tree"}, "--levels and --tree each print a table: take one"},
        {{"--tree", "--steps"}, "--levels and --tree print only their table; they take no --cost, --text, --step, "
                                "--steps or --listing"},
        {{"--levels", "--cost"}, "--levels and --tree print only their table; they take no --cost, --text, --step, "
                                 "--steps or --listing"},
        {{"--slide", "a.png", "--listing"},
         "--slide draws one step into a file; it takes no --text, --steps, --listing, --cost, --levels or --tree"},
        {{std::string("--fr\0b\x1b", 7)}, "unknown option '--fr\\x00b\\x1b'; " + explainUsage()},
    };
    for (const auto& [args, message] : refused)
        EXPECT_EQ(refusal(args), message);
}

// The query's parameters, decoded as a browser's URLSearchParams does.
LinkParameters parametersOf(const std::string& address)
{
    LinkParameters parameters;
    std::size_t at = 1;
    while (at < address.size()) {
        const std::size_t end = std::min(address.find('&', at), address.size());
        const std::string part = address.substr(at, end - at), name = part.substr(0, part.find('='));
        std::string value;
        for (std::size_t i = name.size() + 1; i < part.size(); ++i) {
            const bool escaped = part[i] == '%';
            value += escaped ? static_cast<char>(std::stoi(part.substr(i + 1, 2), nullptr, 16)) : part[i];
            i += escaped ? 2 : 0;
        }
        parameters.emplace_back(name, value);
        at = end + 1;
    }
    return parameters;
}

// An address written for a view opens that view again: the same set, step, language, digits and
// switches, the parameters in the table's order.
TEST(Links, WrittenAndReadBackToTheSameView)
{
    const auto options = [](std::vector<std::string> words) { return parseExplainOptions(words); };
    const std::pair<ShownLink, std::string> cases[] = {
        {{options({"--like", "closest2d_rand14", "--lang", "en"}), 77, "", 3, {"explain"}},
         "?program=closest2d_rand14&seed=77&explain&step=3&lang=en"},
        {{options({}), -1, "", 0, {}}, "?program=closest2d_fixed14&lang=sr"},
        {{options({"--set", "lattice", "--count", "40", "--dim", "3", "--digits", "2"}), 5, "", 9,
          {"explain", "follow", "large", "ask"}},
         "?set=lattice&count=40&dim=3&seed=5&explain&step=9&lang=sr&digits=2&follow&large&ask"},
        {{options({"--set", "line", "--count", "16", "--dim", "2", "--questions", "end,strip"}), 5, "", 2, {"explain", "ask"}},
         "?set=line&count=16&dim=2&seed=5&explain&step=2&lang=sr&ask&questions=strip%2Cend"},
        {{options({"--set", "line", "--count", "16", "--dim", "2", "--questions", defaultQuestionsText}), 5, "", 2, {"explain", "ask"}},
         "?set=line&count=16&dim=2&seed=5&explain&step=2&lang=sr&ask"}, // the kinds a link need not name
        {{options({"--points", "x"}), -1, "1,2;3,4e%2B5;", 0, {}}, "?points=1,2;3,4e%2B5;&lang=sr"},
        {{options({"--points", "x"}), -1, "", 0, {"explain"}}, "?explain&lang=sr"}, // too many for a link
    };
    for (const auto& [shown, address] : cases) {
        EXPECT_EQ(linkAddress(shown), address);
        const LinkRequest request = readLink(parametersOf(address));
        EXPECT_EQ(request.refused, "") << address;
        std::vector<std::string> words = request.set;
        words.insert(words.end(), request.view.begin(), request.view.end());
        const ExplainOptions read = parseExplainOptions(words), &o = shown.options;
        EXPECT_TRUE(read.set == o.set && read.count == o.count && read.dimension == o.dimension &&
                    read.digits == o.digits && read.language == o.language && read.points.has_value() == !shown.points.empty() &&
                    read.questions.value_or(defaultQuestionKinds) == o.questions.value_or(defaultQuestionKinds) &&
                    read.step == (shown.step ? std::optional<long long>(shown.step) : std::nullopt))
            << address;
        EXPECT_EQ(request.switches, shown.switches) << address;
        if (!shown.points.empty()) {
            EXPECT_EQ(request.points, "1,2\n3,4e+5\n");
        }
    }
}

// A bad parameter is said as closest_explain says it; one of the set opens the fixed set instead,
// one of the view keeps the set.
TEST(Links, BadParametersAndWhatTheyImply)
{
    const std::pair<LinkParameters, std::string> refused[] = {
        {{{"sett", "uniform"}}, "closest_explain: unknown parameter 'sett'; a link takes program, set, count, dim, "
                                "seed, points, explain, step, lang, digits, follow, large, ask, present and questions"},
        {{{"step", "2"}, {"step", "3"}}, "closest_explain: the parameter step is given twice; a link takes each once"},
        {{{"follow", "1"}}, "closest_explain: follow takes no value, not '1'"},
    };
    for (const auto& [parameters, message] : refused)
        EXPECT_EQ(readLink(parameters).refused, message);
    const LinkRequest implied = readLink({{"set", "twins"}, {"step", "4"}, {"ask", ""}, {"lang", "en"}});
    EXPECT_EQ(implied.switches, (std::vector<std::string>{"explain", "ask"}));
    EXPECT_EQ(implied.set, (std::vector<std::string>{"--set", "twins"}));
    EXPECT_EQ(implied.view, (std::vector<std::string>{"--step", "4", "--lang", "en"}));
    EXPECT_FALSE(readLink({{"set", "twins"}, {"ask", "yes"}}).set.empty()) << "a bad one of the view keeps the set";
    // The kinds of question turn on asking and the steps; unknown kinds are refused, and the rest opens.
    const LinkRequest kinds = readLink({{"set", "twins"}, {"questions", "leaf,nope"}});
    EXPECT_EQ(kinds.switches, (std::vector<std::string>{"ask", "explain"}));
    EXPECT_EQ(linkOpenings(kinds, "en")[1], (std::vector<std::string>{"--lang", "en", "--set", "twins"}));
    const char* said = "--questions takes kinds of question separated by commas "
                       "(split,leaf,strip,compare,combine,end), not 'leaf,nope'";
    EXPECT_EQ(valueRefusal(*linkParameterNamed("questions"), "leaf,nope"), said);
    EXPECT_EQ(refusal({"--questions", "leaf,nope"}), said);
    EXPECT_TRUE(readLink({{"set", "twins"}, {"nope", ""}}).set.empty()) << "an unknown one drops the set";
    const auto openings = linkOpenings(readLink({{"set", "twins"}, {"step", "99"}, {"digits", "x"}, {"lang", "en"}}), "sr");
    EXPECT_EQ(openings, (std::vector<std::vector<std::string>>{
                            {"--lang", "sr", "--set", "twins", "--step", "99", "--digits", "x", "--lang", "en"},
                            {"--lang", "sr", "--lang", "en", "--set", "twins"},
                            {"--lang", "sr", "--lang", "en"}}));
    EXPECT_EQ(linkWords({{"count", "64"}, {"explain", ""}, {"points", "1 2"}}),
              (std::vector<std::string>{"--count", "64", "--points", "points"}));
}

TEST(Keys, EveryKeyBoundAndLabelledInEveryLanguage)
{
    for (const KeyRow& row : keyRows) {
        for (const KeyCode& code : row.codes)
            for (const bool projector : {false, true})
                if (code.code != 0 && code.mode != (projector ? KeyMode::notProjector : KeyMode::projector)) {
                    EXPECT_EQ(keyOf(code.code, code.special, projector), &row) << row.shortcut;
                }
        for (const LanguageName& l : languages) {
            const std::string label = l.words->keys[static_cast<int>(row.key)];
            EXPECT_NE(stepKeysHelp(l.language).find(std::string(row.shortcut) + ": " + label), std::string::npos);
            for (const KeyRow& other : keyRows)
                EXPECT_TRUE(&other == &row || label != l.words->keys[static_cast<int>(other.key)]) << label;
        }
    }
    EXPECT_EQ(keyOf('x', false, false), nullptr);
    EXPECT_EQ(keyOf(' ', true, false), nullptr) << "a special key's code is not a character's";
    // A presenter's remote: Page Down and Page Up step one step in projector mode, a call outside it.
    EXPECT_EQ(keyOf(glutPageDown, true, true)->key, StepKey::next);
    EXPECT_EQ(keyOf(glutPageUp, true, true)->key, StepKey::previous);
    EXPECT_EQ(keyOf(glutPageDown, true, false)->key, StepKey::nextCall);
    EXPECT_EQ(keyOf(']', false, true)->key, StepKey::nextCall);
}

// Each legend line names the colour its palette code is drawn in, in its language.
TEST(Legend, WordsSayThePalettesColoursInEachLanguage)
{
    const std::tuple<SceneRgb, const char*, const char*> colourWords[] = {
        {palette::grey, "grey", "siv"},         {palette::black, "black", "crn"},
        {palette::blue, "blue", "plav"},        {palette::green, "green", "zelen"},
        {palette::purple, "purple", "ljubicast"}, {palette::magenta, "magenta", "magenta"},
        {palette::red, "red", "crven"},         {palette::orange, "orange", "narandzast"},
        {palette::teal, "teal", "tirkiz"},
    };
    for (std::size_t i = 0; i < paletteSize; ++i) {
        const SceneRgb drawn = stepPalette[i].color;
        const auto* words = std::find_if(std::begin(colourWords), std::end(colourWords), [&](const auto& c) {
            const SceneRgb rgb = std::get<0>(c);
            return rgb.r == drawn.r && rgb.g == drawn.g && rgb.b == drawn.b;
        });
        ASSERT_NE(words, std::end(colourWords));
        EXPECT_NE(std::string(englishWords.legend[i]).find(std::get<1>(*words)), std::string::npos)
            << englishWords.legend[i];
        EXPECT_NE(std::string(serbianWords.legend[i]).find(std::get<2>(*words)), std::string::npos)
            << serbianWords.legend[i];
    }
}

} // namespace
