// The page's links: the address read when the page opens, and the address written for what it
// shows, both from closest_explain's table of options.
#include "explain/step_view.hpp"
#include "run/format.hpp"
#include "sets/teaching_sets.hpp"
#include "web/page.hpp"

#include <emscripten.h>

namespace {

// The most characters of points a link carries; more are saved as a file instead.
constexpr std::size_t linkMostCharacters = 160'000;

} // namespace

std::optional<std::string> pointsLinkOf(const AnyRun& run)
{
    // A coordinate takes two characters at least ("0,"): past so many records the text cannot fit,
    // and its records' texts are not written at all.
    const int dimension = std::holds_alternative<ClosestPairRun<Point2>>(run) ? 2 : 3;
    if (static_cast<std::size_t>(recordCount(run)) * 2 * dimension > linkMostCharacters)
        return std::nullopt;
    std::string text;
    for (const char c : recordsText(run, ",", ";", linkMostCharacters))
        text += c == '+' ? std::string("%2B") : std::string(1, c);
    if (text.size() > linkMostCharacters)
        return std::nullopt;
    return text;
}

extern "C" {

// Opens what a link names: the words are its parameters, a name and a value each. The set's
// parameters are closest_explain's options, the view's are switches, the step, the language (the
// browser's, language, when the link names none) and the digits. A bad parameter is said as
// closest_explain says it: an unknown one or a bad one of the set opens the fixed set instead;
// without a bad one of the view the named set opens at its first step. Answers, as JSON, what was
// refused, the switches, the language and, for a set that teaches, its count and dimension.
EMSCRIPTEN_KEEPALIVE const char* pageLink(const char* language)
{
    const LinkRequest request = readLink(takeParameters());
    if (request.points)
        page.pointsText = *request.points;
    setFollow(request.on("follow"));
    setLarge(request.on("large"));
    setAsking(request.on("ask"));
    page.presenting = request.on("present");
    const bool explain = request.on("explain");
    std::string refused = request.refused;
    const std::vector<std::vector<std::string>> openings = linkOpenings(request, language);
    if (const std::string whole = openLine(openings[0], explain); !whole.empty()) {
        if (refused.empty())
            refused = whole;
        if (!openLine(openings[1], explain).empty())
            openLine(openings[2], explain);
    }
    const ExplainOptions& o = page.options;
    const std::string teaching = o.set ? printfText("{\"count\":%lld,\"dim\":%d}", o.count.value_or(teachingDefaultCount),
                                                    o.dimension.value_or(defaultDimension))
                                       : "null";
    const auto flag = [&request](const char* name) { return request.on(name) ? "true" : "false"; };
    return handOver(printfText("{\"refused\":%s,\"explain\":%s,\"follow\":%s,\"large\":%s,\"language\":%s,\"set\":%s,"
                               "\"points\":%s,\"ask\":%s}",
                               json(refused).c_str(), flag("explain"), flag("follow"), flag("large"),
                               json(languageCode(o.language)).c_str(), teaching.c_str(), o.points ? "true" : "false",
                               flag("ask")));
}

// The address that names what the page shows: the set, the step, the language, the digits and the
// switches that are on ("?program=closest2d_rand14&seed=5&explain&step=3&lang=en").
EMSCRIPTEN_KEEPALIVE const char* pageAddress()
{
    ShownLink shown{page.options, page.shown ? page.shown->seed : -1, "", 0, {}};
    shown.points = page.linkPoints.value_or("");
    if (stepsOnScreen())
        shown.step = stepPlayer().current + 1;
    for (const OptionRow& row : optionRows())
        if (row.option == nullptr && switchOn(row.link)) // a switch of the page's alone
            shown.switches.emplace_back(row.link);
    return handOver(linkAddress(shown));
}

// Said above the picture when the user's points are too many for a link; else "".
EMSCRIPTEN_KEEPALIVE const char* pagePointsNote()
{
    if (!page.shown || page.linkPoints)
        return handOver("");
    return handOver(printfText("%d records are too many for a link (over %zu characters); save the points instead",
                               recordCount(page.shown->run), linkMostCharacters));
}

} // extern "C"
