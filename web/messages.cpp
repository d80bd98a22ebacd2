// What the page says while it works, above the picture and under the cost's button.
#include "run/format.hpp"
#include "web/page.hpp"

#include <emscripten.h>

namespace {

// 1234567 as "1,234,567".
std::string grouped(long long count)
{
    std::string digits = std::to_string(count), text;
    for (std::size_t i = 0; i < digits.size(); ++i)
        text += (i > 0 && (digits.size() - i) % 3 == 0 ? "," : "") + std::string(1, digits[i]);
    return text;
}

} // namespace

extern "C" {

// While a set of so many records that teach is made and searched.
EMSCRIPTEN_KEEPALIVE const char* pageMaking(double count)
{
    return handOver("making and searching " + grouped(static_cast<long long>(count)) + " records \u2026");
}

// While so many bytes of points are read and searched.
EMSCRIPTEN_KEEPALIVE const char* pageReading(double bytes)
{
    return handOver(printfText("reading and searching %.1f MB of points \u2026", bytes / 1e6));
}

// While the cost of a kind of set in a dimension is counted, and once it is.
EMSCRIPTEN_KEEPALIVE const char* pageCounting(const char* kind, const char* dimension)
{
    return handOver(printfText("counting %s %sD \u2026", kind, dimension));
}

EMSCRIPTEN_KEEPALIVE const char* pageCounted(double seconds, const char* kind, const char* dimension, double seed)
{
    return handOver(printfText("counted in %.*f s (%s, %sD, seed %.0f)", seconds < 1 ? 2 : 1, seconds, kind, dimension,
                               seed));
}

} // extern "C"
