#include "explain/stepper.hpp"

#include "explain/step_text.hpp"
#include "run/format.hpp"

#include <algorithm>

namespace {

std::size_t clamped(long long index, const std::vector<Step>& steps)
{
    return static_cast<std::size_t>(std::clamp(index, 0LL, static_cast<long long>(steps.size()) - 1));
}

long long nextCall(const StepPlayer& player, const std::vector<Step>& steps, int direction)
{
    const long long count = static_cast<long long>(steps.size());
    for (long long i = static_cast<long long>(player.current) + direction; i >= 0 && i < count; i += direction)
        if (startsCall(steps[i]))
            return i;
    return direction > 0 ? count - 1 : 0;
}

} // namespace

void pressStepKey(StepPlayer& player, const std::vector<Step>& steps, StepKey key)
{
    const long long at = static_cast<long long>(player.current);
    switch (key) {
    case StepKey::next: player.current = clamped(at + 1, steps); break;
    case StepKey::previous: player.current = clamped(at - 1, steps); break;
    case StepKey::nextCall: player.current = clamped(nextCall(player, steps, 1), steps); break;
    case StepKey::previousCall: player.current = clamped(nextCall(player, steps, -1), steps); break;
    case StepKey::first: player.current = 0; break;
    case StepKey::last: player.current = clamped(static_cast<long long>(steps.size()) - 1, steps); break;
    case StepKey::playOrPause: player.playing = !player.playing; break;
    case StepKey::faster: player.stepsPerSecond = std::min(player.stepsPerSecond * 2, 512.0); break;
    case StepKey::slower: player.stepsPerSecond = std::max(player.stepsPerSecond / 2, 0.25); break;
    case StepKey::follow:
    case StepKey::legend:
    case StepKey::large:
    case StepKey::present:
    case StepKey::slide:
    case StepKey::tree: break; // the view's switches, the slide and the tree, not the player's
    }
}

void playStep(StepPlayer& player, const std::vector<Step>& steps)
{
    player.current = clamped(static_cast<long long>(player.current) + 1, steps);
    player.playing = player.current + 1 < steps.size();
}

std::string stepKeysHelp(Language language)
{
    std::string help;
    for (const KeyRow& row : keyRows)
        help += (help.empty() ? "" : "; ") + std::string(row.shortcut) + ": " +
                wordsOf(language).keys[static_cast<int>(row.key)];
    return help;
}

std::vector<long long> distancesSoFar(const std::vector<Step>& steps)
{
    std::vector<long long> sums;
    sums.reserve(steps.size());
    long long sum = 0;
    for (const Step& step : steps) {
        if (const auto* leaf = std::get_if<LeafStep>(&step))
            sum += pairCount(leaf->call.count);
        sum += std::holds_alternative<CompareStep>(step);
        sums.push_back(sum);
    }
    return sums;
}

long long allPairs(const std::vector<Step>& steps)
{
    const auto* end = steps.empty() ? nullptr : std::get_if<EndStep>(&steps.back());
    return end ? pairCount(end->count) : 0;
}

std::string playerHeader(const StepPlayer& player, std::size_t total, long long distances, long long pairs,
                         Language language)
{
    const Words& w = wordsOf(language);
    const double speed = player.stepsPerSecond;
    return filled(w.header, {stepOfText(player.current + 1, total, language), player.playing ? w.playing : "",
                             printfText("%g ", speed) + nounFor(speed, language, Noun::step),
                             std::to_string(distances), std::to_string(pairs)});
}

std::vector<std::string> callsUnderWay(const std::vector<Step>& steps, std::size_t index, Language language,
                                       NumberStyle numbers)
{
    // The steps that began the calls under way, outermost first, then their lines: a step deep in a
    // large run words its few calls, not every split before it.
    std::vector<std::size_t> began;
    for (std::size_t i = 0; i <= index && i < steps.size(); ++i)
        if (std::holds_alternative<SplitStep>(steps[i]) || (i == index && std::holds_alternative<LeafStep>(steps[i])))
            began.push_back(i);
        else if (std::holds_alternative<AnswerStep>(steps[i]) && i < index)
            began.pop_back();
    const Words& w = wordsOf(language);
    std::vector<std::string> calls;
    for (const std::size_t i : began) {
        const std::string number = std::to_string(calls.size() + 1);
        if (const auto* split = std::get_if<SplitStep>(&steps[i]))
            calls.push_back(filled(w.splitCall, {number, counted(split->call.records.count, language, Noun::record),
                                                 numberText(split->call.mx, numbers)}));
        else
            calls.push_back(filled(w.leafCall, {number, counted(std::get<LeafStep>(steps[i]).call.count, language,
                                                                Noun::record)}));
    }
    return calls;
}
