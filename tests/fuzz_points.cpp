// libFuzzer target for what users type, drop, paste or link. The first byte picks: even, the rest
// is a point file, and a set the reader accepts must give the divide and conquer the brute force's
// squared distance, bit for bit, and the pointer search's pair; odd, the rest is closest_explain's
// words, split at NUL or newline.
// Only the exceptions the readers document are caught: anything else ends the run as a crash.
#include "explain/options.hpp"
#include "explain/point_file.hpp"
#include "search/divide.hpp"

#include <bit>
#include <cfloat>
#include <cstdint>

template <class Point>
static void compareSearches(PointText& text)
{
    ClosestPairRun<Point> run = runOf<Point>(text);
    Point *a, *b, *c, *d, *e, *f;
    const double divided = findClosestDivide(run.byX, run.count, run.byY, run.count, &a, &b);
    const double brute = findClosestBrute(run.byX, run.count, &c, &d);
    const double overPointers = findClosestDivideOverPointers(run.byX, run.count, run.byY, run.count, &e, &f);
    const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    if (bits(divided) != bits(brute) || bits(squaredDistance(*a, *b)) != bits(divided) || !(brute < DBL_MAX) ||
        bits(overPointers) != bits(divided) || e != a || f != b)
        __builtin_trap();
    releaseRun(run);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        if (data[0] % 2 == 0) {
            PointText text = parsePoints(rest);
            if ((text.dimension != 2 && text.dimension != 3) || text.count() < 2 ||
                text.count() * text.dimension != static_cast<long long>(text.coordinates.size()))
                __builtin_trap();
            if (text.count() <= 2000) // keeps the brute force quick
                text.dimension == 2 ? compareSearches<Point2>(text) : compareSearches<Point3>(text);
        } else {
            std::vector<std::string> words(rest.empty() ? 0 : 1);
            for (const char c : rest)
                c == '\0' || c == '\n' ? words.push_back("") : words.back().push_back(c);
            const ExplainOptions o = parseExplainOptions(words);
            if ((o.step && *o.step < 1) || (o.dimension && *o.dimension != 2 && *o.dimension != 3))
                __builtin_trap();
        }
    } catch (const InputError&) {
    } catch (const OptionError&) {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
