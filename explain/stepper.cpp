#include "explain/stepper.hpp"

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
    }
}

void playStep(StepPlayer& player, const std::vector<Step>& steps)
{
    player.current = clamped(static_cast<long long>(player.current) + 1, steps);
    player.playing = player.current + 1 < steps.size();
}

std::string playerHeader(const StepPlayer& player, std::size_t total)
{
    return printfText("Korak %zu od %zu%s, %g koraka u sekundi", player.current + 1, total,
                      player.playing ? ", pusta se" : "", player.stepsPerSecond);
}

std::vector<std::string> callsUnderWay(const std::vector<Step>& steps, std::size_t index)
{
    std::vector<std::string> calls;
    for (std::size_t i = 0; i <= index && i < steps.size(); ++i) {
        const std::string number = "Poziv " + std::to_string(calls.size() + 1) + ": ";
        if (const auto* split = std::get_if<SplitStep>(&steps[i]))
            calls.push_back(number + std::to_string(split->call.records.count) + " tacaka, podela x = " +
                            shortestText(split->call.mx));
        else if (const auto* leaf = std::get_if<LeafStep>(&steps[i]); leaf && i == index)
            calls.push_back(number + std::to_string(leaf->call.count) + " tacaka, svi parovi");
        else if (std::holds_alternative<AnswerStep>(steps[i]) && i < index)
            calls.pop_back();
    }
    return calls;
}
