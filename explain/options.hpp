// closest_explain's command line.
#pragma once

#include "explain/language.hpp"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

inline constexpr const char* explainUsage =
    "usage: closest_explain [--like PROGRAM | --set KIND [--count N] [--dim 2|3] | --points FILE] [--seed SECOND]\n"
    "                       [--text] [--steps] [--step K] [--listing] [--lang en|sr] [--digits N]\n"
    "       closest_explain --cost [--set KIND] [--dim 2|3] [--count N] [--seed SECOND]";

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
    bool listing = false;              // the listing after the report, and its line before each step
    bool cost = false;                 // only the table of the cost against all pairs
    Language language = Language::sr;  // of the steps, the listing and the window's texts
    int digits = 0;                    // significant digits of the texts' numbers; 0: the shortest exact text
    bool help = false;
};

// A command line that cannot be followed; what() says why.
struct OptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The options of args (the words after the program's name). Throws OptionError.
ExplainOptions parseExplainOptions(const std::vector<std::string>& args);

// What --digits takes.
inline constexpr int leastDigits = 1;
inline constexpr int mostDigits = 17;

// How --cost counts: up to this many records unless --count says otherwise.
inline constexpr long long costDefaultMost = 65'536;
