// closest_explain's command line.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

inline constexpr const char* explainUsage =
    "usage: closest_explain [--like PROGRAM [--seed SECOND]] [--points FILE] [--text] [--steps] [--step K]";

struct ExplainOptions {
    std::optional<std::string> like;   // one of the five programs
    std::optional<unsigned> seed;      // the second a random program's set is seeded from
    std::optional<std::string> points; // a file, or - for standard input
    bool text = false;                 // the report (and with steps, the steps) without a window
    bool steps = false;                // every step as a line of text
    std::optional<long long> step;     // the step the window opens at, from 1
    bool help = false;
};

// A command line that cannot be followed; what() says why.
struct OptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The options of args (the words after the program's name). Throws OptionError.
ExplainOptions parseExplainOptions(const std::vector<std::string>& args);
