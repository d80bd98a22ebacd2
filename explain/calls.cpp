#include "explain/calls.hpp"

#include "run/format.hpp"

std::vector<CallNode> callTree(const std::vector<Step>& steps)
{
    std::vector<CallNode> calls;
    std::vector<int> underWay; // splitting calls, innermost last
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        if (startsCall(step)) {
            CallNode call;
            call.depth = static_cast<int>(underWay.size()) + 1;
            call.parent = underWay.empty() ? -1 : underWay.back();
            call.firstStep = call.lastStep = i;
            call.records = callOf(step);
            if (const auto* split = std::get_if<SplitStep>(&step)) {
                call.splits = true;
                call.mx = split->call.mx;
                call.moved = split->call.records.count;
                underWay.push_back(static_cast<int>(calls.size()));
            } else {
                const auto& leaf = std::get<LeafStep>(step);
                call.bestSquared = leaf.bestSquared;
                call.distances = pairCount(leaf.call.count);
            }
            calls.push_back(call);
            continue;
        }
        if (underWay.empty())
            continue;
        CallNode& call = calls[static_cast<std::size_t>(underWay.back())];
        if (const auto* strip = std::get_if<StripStep>(&step))
            call.stripRecords = strip->strip.leftCount + strip->strip.rightCount;
        else if (std::holds_alternative<CompareStep>(step))
            ++call.distances;
        else if (const auto* answer = std::get_if<AnswerStep>(&step)) {
            call.bestSquared = answer->bestSquared;
            call.lastStep = i;
            underWay.pop_back();
        }
    }
    return calls;
}

int callAt(const std::vector<CallNode>& calls, std::size_t current)
{
    int at = calls.empty() ? -1 : 0;
    for (std::size_t i = 0; i < calls.size() && calls[i].firstStep <= current; ++i)
        if (current <= calls[i].lastStep)
            at = static_cast<int>(i);
    return at;
}

std::vector<LevelRow> levelRows(const std::vector<CallNode>& calls)
{
    std::vector<LevelRow> rows;
    for (const CallNode& call : calls) {
        while (static_cast<int>(rows.size()) < call.depth)
            rows.push_back({static_cast<int>(rows.size()) + 1});
        LevelRow& row = rows[static_cast<std::size_t>(call.depth - 1)];
        ++row.calls;
        row.records += call.records.count;
        row.moved += call.moved;
        row.strip += call.stripRecords;
        row.distances += call.distances;
    }
    return rows;
}

std::string levelsHeader() { return "depth calls records moved strip distances"; }

std::string levelLine(const LevelRow& row)
{
    return printfText("%d %lld %lld %lld %lld %lld", row.depth, row.calls, row.records, row.moved, row.strip,
                      row.distances);
}

std::string treeLine(const CallNode& call, Language language, NumberStyle numbers, std::size_t current)
{
    const Words& w = wordsOf(language);
    const std::string indent(2 * static_cast<std::size_t>(call.depth - 1), ' ');
    const std::string records = counted(call.records.count, language, Noun::record);
    if (current < call.firstStep)
        return indent + records;
    const std::string mx = numberText(call.mx, numbers);
    if (!call.doneAt(current))
        return indent + (call.splits ? filled(w.treeOpenSplit, {records, mx}) : filled(w.treeOpenLeaf, {records}));
    const std::string d = distanceText(call.bestSquared, language, numbers);
    return indent + (call.splits ? filled(w.treeSplit, {records, mx, d}) : filled(w.treeLeaf, {records, d}));
}

std::vector<int> unfoldedCalls(const std::vector<CallNode>& calls, int at, std::size_t most)
{
    std::vector<int> shown;
    if (calls.size() <= most || at < 0) {
        for (std::size_t i = 0; i < calls.size(); ++i)
            shown.push_back(static_cast<int>(i));
        return shown;
    }
    std::vector<bool> onPath(calls.size(), false);
    for (int c = at; c >= 0; c = calls[static_cast<std::size_t>(c)].parent)
        onPath[static_cast<std::size_t>(c)] = true;
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (i == 0 || onPath[i] || onPath[static_cast<std::size_t>(calls[i].parent)])
            shown.push_back(static_cast<int>(i));
    return shown;
}
