#include "programs/point_file.hpp"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <utility>

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

// A line of words: its first field starts with a letter and is no spelling of NaN or infinity,
// which are reported as numbers that are not finite.
bool isHeader(std::string_view field)
{
    if (field.empty() || !std::isalpha(static_cast<unsigned char>(field[0])))
        return false;
    std::string lower(field);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower != "nan" && lower != "inf" && lower != "infinity";
}

double parseNumber(std::string_view field, long long line)
{
    const char* begin = field.data();
    const char* end = begin + field.size();
    if (field.size() > 1 && field[0] == '+' && field[1] != '-') // strtod takes a plus sign, from_chars not
        ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (stop != end || (error != std::errc() && error != std::errc::result_out_of_range))
        throw InputError(line, "'" + std::string(field) + "' is not a number");
    if (error == std::errc::result_out_of_range) // strtod's nearest double: infinity, or 0 and below
        value = std::strtod(std::string(field).c_str(), nullptr);
    if (!std::isfinite(value))
        throw InputError(line, "'" + std::string(field) + "' is not a finite number");
    return value;
}

} // namespace

PointText parsePoints(std::string_view text)
{
    PointText points;
    bool headerAllowed = true;
    long long line = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t next = text.find('\n', at);
        if (next == std::string_view::npos)
            next = text.size();
        const std::string_view content = text.substr(at, next - at);
        at = next + 1;
        ++line;

        std::string_view fields[4];
        int count = 0;
        for (std::size_t i = 0; i < content.size();) {
            while (i < content.size() && isSeparator(content[i]))
                ++i;
            const std::size_t start = i;
            while (i < content.size() && !isSeparator(content[i]))
                ++i;
            if (i > start && count < 4)
                fields[count] = content.substr(start, i - start);
            count += i > start;
        }
        if (count == 0 || fields[0][0] == '#')
            continue;
        if (std::exchange(headerAllowed, false) && isHeader(fields[0]))
            continue;
        if (points.dimension == 0 && count != 2 && count != 3)
            throw InputError(line, std::to_string(count) + " numbers; a record has 2 or 3");
        if (points.dimension != 0 && count != points.dimension)
            throw InputError(line, std::to_string(count) + " numbers, but the records before have " +
                                       std::to_string(points.dimension));
        points.dimension = count;
        for (int k = 0; k < count; ++k)
            points.coordinates.push_back(parseNumber(fields[k], line));
    }
    if (points.count() < 2)
        throw InputError(0, "fewer than two records (" + std::to_string(points.count()) + ")");
    return points;
}

std::string readWholeFile(const std::string& name)
{
    const bool standardInput = name == "-";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(standardInput ? stdin : std::fopen(name.c_str(), "rb"),
                                                         standardInput ? [](std::FILE*) { return 0; } : std::fclose);
    if (file == nullptr)
        throw InputError(0, std::string("cannot be read: ") + std::strerror(errno));
    // A file whose size is known is read in one go; standard input block by block.
    std::string text;
    struct stat status {};
    if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode)) {
        text.resize(static_cast<std::size_t>(status.st_size));
        text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    }
    char block[1 << 16];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file.get())) > 0;)
        text.append(block, got);
    if (std::ferror(file.get()))
        throw InputError(0, std::string("cannot be read: ") + std::strerror(errno));
    return text;
}
