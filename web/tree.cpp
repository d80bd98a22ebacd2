// The recursion beside the steps: the calls as a tree, folded below the path to the current call
// when they are more than the panel's lines, each jumping to its first step when chosen; and the
// set's levels, a row per depth. The tree changes only at the steps where a call begins or ends (or
// hands back to its parent), so it is handed over only when its key changes, found by a binary
// search: a step within a call costs the page next to nothing, however many calls there are.
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

// What the tree shows depends on alone: the set (a new one raises its records' version in the
// scene), how many of the steps where a call begins, ends or hands back to its parent lie at or
// before the step shown, the language and the digits.
struct TreeKey {
    unsigned set = 0;
    std::ptrdiff_t changes = -1;
    Language language = Language::sr;
    int digits = 0;
    bool operator==(const TreeKey&) const = default;
};

unsigned changesSet = 0;              // the set whose steps of change are known
std::vector<std::size_t> changeSteps; // in order: each call's first step, its last and the one after

TreeKey handedParts;                // the key of the tree handed over last
std::string handedKey;              // as the page holds it
std::vector<ShownCall> handedCalls; // and its calls

TreeKey treeKey(const std::vector<CallNode>& calls, std::size_t current)
{
    if (changesSet != sceneVerticesVersion || changeSteps.empty()) {
        changesSet = sceneVerticesVersion;
        changeSteps.clear();
        for (const CallNode& call : calls)
            changeSteps.insert(changeSteps.end(), {call.firstStep, call.lastStep, call.lastStep + 1});
        std::sort(changeSteps.begin(), changeSteps.end());
    }
    return {sceneVerticesVersion, std::upper_bound(changeSteps.begin(), changeSteps.end(), current) - changeSteps.begin(),
            page.options.language, page.options.digits};
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
    const TreeKey parts = treeKey(calls, current);
    if (parts == handedParts && since == handedKey)
        return handOver("{\"key\":\"" + handedKey + "\"}");
    const std::string key = printfText("%u.%td.%d.%d", parts.set, parts.changes, static_cast<int>(parts.language),
                                       parts.digits);
    if (key == since)
        return handOver("{\"key\":\"" + key + "\"}");
    const int at = callAt(calls, current);
    const std::vector<int> shown = unfoldedCalls(calls, at, treeMostLines);
    // What the page shows is known here when it is what was handed over, in the same words.
    const bool handed = since == handedKey && parts.set == handedParts.set &&
                        parts.language == handedParts.language && parts.digits == handedParts.digits;
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
    handedParts = parts;
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
