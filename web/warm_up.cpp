// The reader, the sorts and the search run once on a made-up set soon after the page opens. The
// browser compiles a WebAssembly function's fast code only after the function has run a while,
// and a call runs to its end in the code it began in: without this, the first large set pasted
// would be read, sorted and searched in the first, slower code from start to end.
#include "explain/driver.hpp"
#include "search/divide.hpp"

#include <emscripten.h>

#include <cstdint>
#include <string>
#include <variant>

namespace {

// count records of dimension coordinates, each of 17 significant digits or so, as sets pasted from
// a program's output are written.
std::string madeUpText(int count, int dimension)
{
    std::string text;
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < count * dimension; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        text += std::to_string(state >> 54) + '.' + std::to_string(state >> 10 & 0xFFFFFFFFFFFu);
        text += (i + 1) % dimension == 0 ? '\n' : ' ';
    }
    return text;
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void pageWarmUp()
{
    for (const int dimension : {2, 3}) {
        const std::string text = madeUpText(20000, dimension);
        ExplainedSet set = openSet(parseExplainOptions({"--points", "-"}),
                                   [&text](const std::string&, std::string&) { return std::string_view(text); }, 0);
        std::visit(
            [](auto& run) {
                auto* first = run.records;
                auto* second = run.records;
                findClosestDivide(run.byX, run.count, run.byY, run.count, &first, &second);
            },
            set.run);
        releaseSet(set);
    }
}
