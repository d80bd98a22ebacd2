// The page's links: an address's parameters read as closest_explain's options, and the address
// written for what the page shows. Each parameter is a row of the options' table.
#pragma once

#include "explain/options.hpp"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A link's parameters in the order given, a name and a value each ("" for a switch).
using LinkParameters = std::vector<std::pair<std::string, std::string>>;

// What a link asks for.
struct LinkRequest {
    std::vector<std::string> set;      // closest_explain's words for the set it names
    std::vector<std::string> view;     // and for the view: the step, the language, the digits
    std::vector<std::string> switches; // the page's switches it turns on, itself or by implication
    std::optional<std::string> points; // the points it carries, a line a record
    std::string refused;               // the first parameter refused, as closest_explain says it; or ""

    bool on(const std::string& name) const;
};

// The request of the parameters. An unknown parameter, or one of the set given badly, leaves the
// set out (the fixed set opens instead); a switch takes no value; no parameter is given twice.
LinkRequest readLink(const LinkParameters& parameters);

// closest_explain's words for the parameters that have an option, in the order given (a link's
// points named "points").
std::vector<std::string> linkWords(const LinkParameters& parameters);

// The command lines to open the request with, in the language asked for unless it names one, each
// to be tried when the one before is refused: the whole request; then its set with the view's
// words that are good on their own (the step left out); then those alone.
std::vector<std::vector<std::string>> linkOpenings(const LinkRequest& request, const std::string& language);

// What the page shows, as its address names it.
struct ShownLink {
    ExplainOptions options;             // what the set was opened with
    long long seed = -1;                // of a random set, or -1
    std::string points;                 // the user's points as a link carries them; "" for another set
    std::size_t step = 0;               // the step shown, from 1; 0 when none is
    std::vector<std::string> switches;  // the page's switches that are on
};

// "?program=closest2d_rand14&seed=5&explain&step=3&lang=en": the parameters in the table's order.
std::string linkAddress(const ShownLink& shown);
