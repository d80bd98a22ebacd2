// The recursion beside the steps: the calls as a tree, folded below the path to the current call
// when they are more than the panel's lines, each jumping to its first step when chosen; and the
// set's levels, a row per depth.
#include "explain/step_view.hpp"
#include "run/format.hpp"
#include "web/page.hpp"

#include <emscripten.h>

namespace {

// The lines the tree panel shows before it folds.
constexpr std::size_t treeMostLines = 48;

} // namespace

extern "C" {

// The tree at the step shown, as JSON: each call shown with its number, depth, text, state (done,
// under way or to come), whether it is the current one and whether its children are folded; and
// the levels, the header's names first. Empty lists when no steps are shown.
EMSCRIPTEN_KEEPALIVE const char* pageTree()
{
    if (!stepsOnScreen())
        return handOver("{\"calls\":[],\"levels\":[]}");
    const std::vector<CallNode>& calls = viewCalls();
    const std::size_t current = stepPlayer().current;
    const int at = callAt(calls, current);
    const std::vector<int> shown = unfoldedCalls(calls, at, treeMostLines);
    std::string text = "{\"calls\":[";
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const std::size_t c = static_cast<std::size_t>(shown[k]);
        const CallNode& call = calls[c];
        const bool folded = call.splits && (k + 1 == shown.size() || shown[k + 1] != shown[k] + 1);
        const char* state = call.doneAt(current) ? "done" : current >= call.firstStep ? "underway" : "tocome";
        std::string line = treeLine(call, page.options.language, {page.options.digits}, current);
        line.erase(0, line.find_first_not_of(' ')); // the panel indents by depth itself
        text += printfText("%s{\"call\":%zu,\"depth\":%d,\"text\":%s,\"state\":\"%s\",\"current\":%s,\"folded\":%s}",
                           k == 0 ? "" : ",", c, call.depth, json(line).c_str(), state,
                           static_cast<int>(c) == at ? "true" : "false", folded ? "true" : "false");
    }
    std::string levels = "[[\"" + levelsHeader() + "\"]";
    for (const LevelRow& row : levelRows(calls))
        levels += ",[\"" + levelLine(row) + "\"]";
    return handOver(text + "],\"levels\":" + levels + "]}");
}

// Shows the first step of that call (by its number in the order calls begin); a jump past
// questions counts them as skipped.
EMSCRIPTEN_KEEPALIVE void pageTreeJump(int call)
{
    const std::vector<CallNode>& calls = viewCalls();
    if (!stepsOnScreen() || call < 0 || static_cast<std::size_t>(call) >= calls.size())
        return;
    const std::size_t to = calls[static_cast<std::size_t>(call)].firstStep;
    jumpAsking(stepPlayer().current, to);
    goToStep(to);
}

} // extern "C"
