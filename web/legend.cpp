// The page's legend of the step shown: closest_explain's window's own lines, in the steps'
// language, for the page to show beside the picture.
#include "explain/window.hpp"

#include <emscripten.h>

#include <string>

namespace {

std::string legendText; // kept until the next call

} // namespace

// The legend's title and lines, a line each; "" when no step is shown.
extern "C" EMSCRIPTEN_KEEPALIVE const char* pageLegend()
{
    legendText.clear();
    if (!viewSteps().empty())
        for (const std::string& line : stepLegend())
            legendText += (legendText.empty() ? "" : "\n") + line;
    return legendText.c_str();
}
