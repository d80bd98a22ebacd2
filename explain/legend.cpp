#include "explain/legend.hpp"

#include "explain/palette.hpp"

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
            lines.emplace_back(wordsOf(language).legend[i]);
    return lines;
}

const char* legendTitle(Language language) { return wordsOf(language).legendTitle; }
