#include "explain/legend.hpp"

#include "explain/palette.hpp"

#include <algorithm>

namespace {

struct LegendWords {
    ColorCode code;
    const char* words[2]; // by Language
};

// What each code of the palette looks like and stands for, in the palette's order.
constexpr LegendWords legendWords[] = {
    {paintFaded, {"sive tacke: tacke van poziva", "grey dots: the records outside the call"}},
    {paintCall, {"crne tacke: tacke poziva", "black dots: the call's records"}},
    {paintStripLeft, {"plavi puni kvadrati: pojas, leva polovina (SL)", "blue filled squares: the strip's left half (SL)"}},
    {paintStripRight, {"zeleni prazni kvadrati: pojas, desna polovina (SD)",
                       "green hollow squares: the strip's right half (SR)"}},
    {paintTwin, {"ljubicasti krug: jednake tacke (rastojanje 0)", "purple ring: equal records (distance 0)"}},
    {paintSplit, {"debela magenta linija: podela x = mx", "thick magenta line: the split x = mx"}},
    {paintOuterSplit, {"isprekidane magenta linije: podele poziva u toku",
                       "dashed magenta lines: splits of the calls under way"}},
    {paintStripEdge, {"tanke plave linije: ivice pojasa mx - d, mx + d", "thin blue lines: the strip's edges mx - d, mx + d"}},
    {paintBest, {"debela crvena duz: najbolji par, onaj koji ostaje", "thick red segment: the best pair, the one kept"}},
    {paintLeftPair, {"tanka plava duz: par leve polovine", "thin blue segment: the left half's pair"}},
    {paintRightPair, {"isprekidana zelena duz: par desne polovine", "dashed green segment: the right half's pair"}},
    {paintCompared, {"isprekidana narandzasta duz: par koji se poredi", "dashed orange segment: the pair compared"}},
    {paintReach, {"crveni krug: novo d oko leve tacke", "red circle: the new d about the left record"}},
    {paintSearchBox, {"tirkizni pravougaonik: trazi se b, |b.y - a.y| < d", "teal box: where b is sought, |b.y - a.y| < d"}},
};
static_assert(std::size(legendWords) == paletteSize);

constexpr bool wordsInPaletteOrder()
{
    for (std::size_t i = 0; i < paletteSize; ++i)
        if (legendWords[i].code != stepPalette[i].code)
            return false;
    return true;
}
static_assert(wordsInPaletteOrder());

} // namespace

std::vector<std::string> legendLines(const StepPicture& picture, Language language)
{
    bool shown[paletteSize] = {};
    const auto show = [&shown](ColorCode code) {
        if (code >= colorCount && code - colorCount < static_cast<int>(paletteSize))
            shown[code - colorCount] = true;
    };
    for (const ScenePointRun& run : picture.runs)
        show(run.color);
    for (const SceneLine& line : picture.lines)
        show(line.color);
    for (const SceneSegment& segment : picture.segments)
        show(segment.color);
    for (const SceneCircle& circle : picture.circles)
        show(circle.color);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < paletteSize; ++i)
        if (shown[i])
            lines.emplace_back(legendWords[i].words[static_cast<int>(language)]);
    return lines;
}

const char* legendTitle(Language language) { return language == Language::sr ? "Legenda:" : "Legend:"; }
