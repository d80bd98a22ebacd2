// The records as the page writes them (a link's points, the saved points, the points placed by
// hand), each coordinate as its shortest text.
#include "run/format.hpp"
#include "web/page.hpp"

#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace {

// The shortest text of each coordinate written since the last set was opened, by its bits: an edit
// writes the records again, and each text takes up to 17 tries to find.
std::unordered_map<std::uint64_t, std::string> shortestTexts;

const std::string& shortestOf(double value)
{
    std::uint64_t bits = 0; // not the value: -0 and 0 are equal, and their texts are not
    std::memcpy(&bits, &value, sizeof bits);
    const auto [known, fresh] = shortestTexts.try_emplace(bits);
    if (fresh)
        known->second = shortestText(value);
    return known->second;
}

template <class Point>
std::string recordsOf(const Point* records, std::size_t count, const char* between, const char* end,
                      std::size_t most)
{
    std::string text;
    for (std::size_t i = 0; i < count && text.size() <= most; ++i)
        for (int k = 0; k < dimensionOf<Point>; ++k)
            text.append(shortestOf(coordinate(records[i], k))).append(k + 1 < dimensionOf<Point> ? between : end);
    return text;
}

} // namespace

std::string recordsText(const AnyRun& run, const char* between, const char* end, std::size_t most)
{
    return std::visit(
        [&](const auto& r) { return recordsOf(r.records, static_cast<std::size_t>(r.count), between, end, most); },
        run);
}

std::string recordsText(const Point2* records, std::size_t count, const char* between, const char* end)
{
    return recordsOf(records, count, between, end, std::string::npos);
}

void forgetRecordsTexts() { shortestTexts.clear(); }
