// The recursion beside the steps: the calls as a tree, folded below the path to the current call
// when they are more than the panel's lines, each jumping to its first step when chosen; and the
// set's levels, a row per depth. The tree changes only at the steps where a call begins or ends, so
// it is handed over only when its key changes: a step within a call costs the page nothing.
#include "explain/step_view.hpp"
#include "run/format.hpp"
#include "scene/scene.hpp"
#include "web/page.hpp"

#include <emscripten.h>

#include <algorithm>

namespace {

// The lines the tree panel shows before it folds.
constexpr std::size_t treeMostLines = 48;

// A call as the panel shows it; its text follows from its state, in the language and digits.
enum class CallState { tocome, underway, done };
constexpr const char* stateNames[] = {"tocome", "underway", "done"};
struct ShownCall {
    int call;
    CallState state;
    bool current, folded;
    bool operator==(const ShownCall&) const = default;
};

std::string handedKey;              // the key of the tree handed over last
std::vector<ShownCall> handedCalls; // and its calls

// What the tree shows depends on alone: the set (by its records' version in the scene), the current
// call, how many calls have begun and how many are done, the language and the digits.
std::string treeKey(const std::vector<CallNode>& calls, std::size_t current, int at)
{
    const auto begun = std::partition_point(calls.begin(), calls.end(),
                                            [&](const CallNode& c) { return c.firstStep <= current; });
    const auto done = std::count_if(calls.begin(), begun, [&](const CallNode& c) { return c.doneAt(current); });
    return printfText("%u.%d.%td.%td.%d.%d", sceneVerticesVersion, at, begun - calls.begin(), done,
                      static_cast<int>(page.options.language), page.options.digits);
}

} // namespace

extern "C" {

// The tree at the step shown, as JSON: its key; unless that is since (the key of the tree the page
// shows), each call shown with its number, depth, text, state (done, under way or to come), whether
// it is the current one and whether its children are folded, or its number alone when the tree
// handed over last showed it so and since is that tree's key; and unless since was of the same set,
// the levels, the header's names first. No calls when no steps are shown.
EMSCRIPTEN_KEEPALIVE const char* pageTree(const char* since)
{
    if (!stepsOnScreen())
        return handOver("{\"key\":\"\",\"calls\":[],\"levels\":[]}");
    const std::vector<CallNode>& calls = viewCalls();
    const std::size_t current = stepPlayer().current;
    const int at = callAt(calls, current);
    const std::string key = treeKey(calls, current, at);
    if (key == since)
        return handOver("{\"key\":" + json(key) + "}");
    const std::vector<int> shown = unfoldedCalls(calls, at, treeMostLines);
    const bool handed = !handedKey.empty() && since == handedKey; // what the page shows is known here
    std::vector<ShownCall> now;
    auto before = handedCalls.begin();
    std::string text = "{\"key\":" + json(key) + ",\"calls\":[";
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const CallNode& call = calls[static_cast<std::size_t>(shown[k])];
        const bool folded = call.splits && (k + 1 == shown.size() || shown[k + 1] != shown[k] + 1);
        const CallState state = call.doneAt(current)         ? CallState::done
                                : current >= call.firstStep ? CallState::underway
                                                            : CallState::tocome;
        now.push_back({shown[k], state, shown[k] == at, folded});
        while (before != handedCalls.end() && before->call < shown[k])
            ++before;
        if (k > 0)
            text += ",";
        if (handed && before != handedCalls.end() && *before == now.back()) {
            text += std::to_string(shown[k]);
            continue;
        }
        std::string line = treeLine(call, page.options.language, {page.options.digits}, current);
        line.erase(0, line.find_first_not_of(' ')); // the panel indents by depth itself
        text += printfText("{\"call\":%d,\"depth\":%d,\"text\":%s,\"state\":\"%s\",\"current\":%s,\"folded\":%s}",
                           shown[k], call.depth, json(line).c_str(), stateNames[static_cast<int>(state)], shown[k] == at ? "true" : "false",
                           folded ? "true" : "false");
    }
    text += "]";
    handedKey = key;
    handedCalls = std::move(now);
    const std::string set = key.substr(0, key.find('.') + 1);
    if (std::string_view(since).substr(0, set.size()) != set) {
        text += ",\"levels\":[[\"" + levelsHeader() + "\"]";
        for (const LevelRow& row : levelRows(calls))
            text += ",[\"" + levelLine(row) + "\"]";
        text += "]";
    }
    return handOver(text + "}");
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
