// The steps on the page: the keys, the step's text, the calls under way, the listing and the
// legend, in the language and digits chosen; the texts are closest_explain's own.
#include "explain/listing.hpp"
#include "explain/step_text.hpp"
#include "explain/step_view.hpp"
#include "web/page.hpp"

#include <emscripten.h>

extern "C" {

EMSCRIPTEN_KEEPALIVE int pageStepsShown() { return stepsOnScreen(); }

// A key of the steps, by its number in StepKey's order.
EMSCRIPTEN_KEEPALIVE void pageKey(int key)
{
    if (stepsOnScreen() && key >= 0 && key < playerKeyCount)
        pressKey(static_cast<StepKey>(key));
}

EMSCRIPTEN_KEEPALIVE int pageStep() { return stepsOnScreen() ? static_cast<int>(stepPlayer().current) + 1 : 0; }

// The step shown as closest_explain --steps prints it; or why no step is shown.
EMSCRIPTEN_KEEPALIVE const char* pageStepText()
{
    if (!page.shown || !page.explaining)
        return handOver("");
    if (!stepsOnScreen())
        return handOver(tooManyForSteps(recordCount(page.shown->run)));
    const StepPlayer& player = stepPlayer();
    const std::vector<Step>& steps = viewSteps();
    return handOver(std::visit(
        [&](const auto& run) {
            return numberedStep(run, steps[player.current], player.current + 1, steps.size(), page.options.language,
                                {page.options.digits});
        },
        page.shown->run));
}

// The calls under way at the step shown, a line each, after the player's line.
EMSCRIPTEN_KEEPALIVE const char* pageCalls()
{
    if (!stepsOnScreen())
        return handOver("");
    std::string text = playerLine();
    for (const std::string& call :
         callsUnderWay(viewSteps(), stepPlayer().current, page.options.language, {page.options.digits}))
        text += "\n" + call;
    return handOver(text);
}

// The listing's lines in the language.
EMSCRIPTEN_KEEPALIVE const char* pageListing()
{
    std::string text;
    for (const std::string& line : listingLines(page.options.language))
        text += (text.empty() ? "" : "\n") + line;
    return handOver(text);
}

// The number of the listing's line the step shown is at (0 when no step is shown).
EMSCRIPTEN_KEEPALIVE int pageListingLine()
{
    return stepsOnScreen() ? listingLine(viewSteps()[stepPlayer().current]) : 0;
}

// The legend's title and lines of the step shown, a line each; "" when no step is shown.
EMSCRIPTEN_KEEPALIVE const char* pageLegend()
{
    std::string text;
    if (!viewSteps().empty())
        for (const std::string& line : stepLegend())
            text += (text.empty() ? "" : "\n") + line;
    return handOver(text);
}

// Said above the picture when the steps are asked for but the set is too large for them; else "".
EMSCRIPTEN_KEEPALIVE const char* pageStepsNote()
{
    return handOver(page.shown && page.explaining && !stepsOnScreen() ? tooManyForSteps(recordCount(page.shown->run))
                                                                      : "");
}

// The language of the texts, as --lang takes it; another code changes nothing.
EMSCRIPTEN_KEEPALIVE void pageLanguage(const char* code)
{
    if (const std::optional<Language> language = languageOf(code)) {
        page.options.language = *language;
        setStepLanguage(*language);
    }
}

// The significant digits of the texts' numbers from now on, as --digits takes them ("": the shortest
// exact text): "" or closest_explain's message.
EMSCRIPTEN_KEEPALIVE const char* pageSetDigits(const char* word)
{
    try {
        page.options.digits = *word ? parseExplainOptions({"--digits", word}).digits : 0;
        return handOver("");
    } catch (const OptionError& e) {
        return handOver(explainMessage(e.what()));
    }
}

// The digits in use, 0 for the shortest exact text.
EMSCRIPTEN_KEEPALIVE int pageDigits() { return page.options.digits; }

} // extern "C"
