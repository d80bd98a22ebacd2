#include "explain/point_file.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cfloat>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <utility>

// from_chars of doubles, correctly rounded as strtod reads: the C++ library's, or fast_float's where
// the library has none (emscripten's). An overflow is said by the first and read as infinity by the
// second, so a value read is taken only when finite.
#if defined(__cpp_lib_to_chars)
namespace chars = std;
#else
#include <fast_float/fast_float.h>
namespace chars = fast_float;
#endif

namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

// The character that text starts with when it is one of two to four bytes in UTF-8 (no overlong
// form, no surrogate); else 0.
char32_t leadingWide(std::string_view text)
{
    const auto byte = [text](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    const unsigned lead = byte(0);
    const int length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    char32_t c = lead & (0x7fu >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (byte(i) & 0x3F);
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    return length == 0 || c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? 0 : c;
}

// Whether a character beyond ASCII may start a word in some script: not one of the controls, signs,
// marks, digits, punctuation, spaces, format characters (the byte-order mark among them) or private
// use that a field of numbers might start with by mistake.
bool startsWideWord(char32_t c)
{
    constexpr std::pair<char32_t, char32_t> notLetters[] = {
        {0x80, 0xBF},     {0xD7, 0xD7},     {0xF7, 0xF7},     {0x300, 0x36F},   {0x2000, 0x2BFF},
        {0x3000, 0x303F}, {0xE000, 0xF8FF}, {0xFE00, 0xFE6F}, {0xFEFF, 0xFEFF}, {0xFF00, 0xFF20},
        {0xFFF0, 0xFFFF}, {0xE0000, 0x10FFFF}};
    return c != 0 && std::none_of(std::begin(notLetters), std::end(notLetters),
                                  [c](const auto& range) { return c >= range.first && c <= range.second; });
}

// Whether text is word, in any case (word in lower case).
bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((text[i] | 0x20) != word[i])
            return false;
    return true;
}

bool isNotFiniteWord(std::string_view text)
{
    return equalsIgnoringCase(text, "nan") || equalsIgnoringCase(text, "inf") || equalsIgnoringCase(text, "infinity");
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A line of words: its first field starts with a letter of any script, holds no control byte, and
// is no spelling of NaN or infinity, which are reported as numbers that are not finite.
bool isHeader(std::string_view field)
{
    if (field.empty() || std::any_of(field.begin(), field.end(), isControl) ||
        !(std::isalpha(static_cast<unsigned char>(field[0])) || startsWideWord(leadingWide(field))))
        return false;
    return !isNotFiniteWord(field);
}


// Decimal text split into its parts: a sign, digits with at most one point, and an exponent; or
// inf, infinity or nan in any case. No hexadecimal and no white space, which strtod would also take.
struct Decimal {
    bool negative = false;
    bool notFinite = false;   // inf, infinity or nan
    std::uint64_t digits = 0; // the significant digits as an integer, when there are at most 19
    int significant = 0;      // significant digits (from the first nonzero one), however many
    long long exponent = 0;   // the value is digits times 10^exponent
    bool exponentLarge = false; // an exponent beyond any double's, which strtod reads
};

// Splits number text into d; false for a field that is not number text.
bool scanDecimal(std::string_view text, Decimal& d)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    if (p < end && (*p == '+' || *p == '-'))
        d.negative = *p++ == '-';
    if (p < end && ((*p | 0x20) == 'i' || (*p | 0x20) == 'n'))
        return d.notFinite = isNotFiniteWord(std::string_view(p, static_cast<std::size_t>(end - p)));
    bool anyDigit = false;
    bool point = false;
    for (; p < end; ++p) {
        if (*p == '.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(*p))
            break;
        anyDigit = true;
        d.exponent -= point;
        if (d.significant == 0 && *p == '0')
            continue;
        if (++d.significant <= 19)
            d.digits = d.digits * 10 + static_cast<std::uint64_t>(*p - '0');
        else
            ++d.exponent; // a digit left out of digits
    }
    if (!anyDigit)
        return false;
    if (p < end && (*p | 0x20) == 'e') {
        const bool minus = ++p < end && *p == '-';
        p += p < end && (*p == '-' || *p == '+');
        if (p == end)
            return false;
        int power = 0;
        for (; p < end && isDigit(*p); ++p) {
            power = power * 10 + (*p - '0');
            if (power > 100'000) {
                power = 100'000;
                d.exponentLarge = true;
            }
        }
        d.exponent += minus ? -power : power;
    }
    return p == end;
}


// The powers of ten that doubles hold exactly.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The double nearest to the number text, as strtod reads it (beyond the largest double, infinity).
// Digits that a double holds exactly times a power of ten that it holds exactly take one rounding,
// a multiplication or a division, which is the nearest double; other texts go to from_chars
// (correctly rounded as well), and what it cannot give (overflow, underflow) to strtod.
double decimalValue(std::string_view field, const Decimal& d)
{
    if (d.notFinite)
        return std::numeric_limits<double>::quiet_NaN();
    if (d.significant == 0)
        return d.negative ? -0.0 : 0.0;
    if (d.significant <= 19 && !d.exponentLarge) {
        if (d.digits <= (std::uint64_t{1} << 53) && d.exponent >= -22 && d.exponent <= 22) {
            const double whole = static_cast<double>(d.digits);
            const double value =
                d.exponent < 0 ? whole / exactPowersOfTen[-d.exponent] : whole * exactPowersOfTen[d.exponent];
            return d.negative ? -value : value;
        }
    }
    const std::size_t sign = field[0] == '+' || field[0] == '-';
    double value = 0;
    const auto [end, error] = chars::from_chars(field.data() + sign, field.data() + field.size(), value);
    if (error == std::errc{} && end == field.data() + field.size() && std::isfinite(value))
        return d.negative ? -value : value;
    return std::strtod(std::string(field).c_str(), nullptr);
}

// The double nearest to the text, as strtod reads it: beyond the largest double, infinity.
double parseNumber(std::string_view field, long long line)
{
    // Digits or a point after the sign: from_chars reads all of such a field exactly when it is
    // decimal text, in one pass. What it leaves (another text, overflow, underflow) is split up.
    const std::size_t sign = field[0] == '+' || field[0] == '-';
    if (sign < field.size() && (isDigit(field[sign]) || field[sign] == '.')) {
        double value = 0;
        const char* const end = field.data() + field.size();
        const auto [stop, error] = chars::from_chars(field.data() + sign, end, value);
        if (error == std::errc{} && stop == end && std::isfinite(value))
            return field[0] == '-' ? -value : value;
    }
    Decimal decimal;
    if (!scanDecimal(field, decimal))
        throw InputError(line, quotedText(field) + " is not a number");
    const double value = decimalValue(field, decimal);
    if (!std::isfinite(value))
        throw InputError(line, quotedText(field) + " is not a finite number");
    return value;
}

std::string numbersText(int count) { return std::to_string(count) + (count == 1 ? " number" : " numbers"); }

// Every squared distance is at most the squared spans' sum, computed as squaredDistance computes,
// since rounding keeps the order of what it rounds: the records fit when that sum stays below the
// largest double, which the searches keep for "no pair".
void checkSpans(const PointText& points)
{
    double low[3], high[3];
    for (int k = 0; k < points.dimension; ++k)
        low[k] = high[k] = points.coordinates[k];
    for (std::size_t i = 0; i < points.coordinates.size(); ++i) {
        const int k = static_cast<int>(i % points.dimension);
        low[k] = std::min(low[k], points.coordinates[i]);
        high[k] = std::max(high[k], points.coordinates[i]);
    }
    double sum = 0;
    std::string spans;
    for (int k = 0; k < points.dimension; ++k) {
        const double span = high[k] - low[k];
        sum += span * span;
        char text[64];
        std::snprintf(text, sizeof text, "%s%c %g", k == 0 ? "" : ", ", "xyz"[k], span);
        spans += text;
    }
    if (!(sum < DBL_MAX))
        throw InputError(0, "the records lie too far apart for their squared distances to be computed (spans: " +
                                spans + "); move or scale them closer");
}

} // namespace

std::string inputErrorText(const std::string& name, const InputError& error)
{
    std::string text = name;
    if (error.line > 0)
        text.append(":").append(std::to_string(error.line));
    return text.append(": ").append(error.what());
}

std::string quotedText(std::string_view text)
{
    std::string said(1, '\'');
    return said.append(shownText(text)).append(1, '\'');
}

std::string shownText(std::string_view text)
{
    constexpr std::size_t most = 40;
    std::string shown;
    for (std::size_t i = 0; i < text.size() && i < most; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (isControl(text[i])) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return text.size() > most ? shown + "..." : shown;
}

PointText parsePoints(std::string_view text)
{
    PointText points;
    bool headerAllowed = true;
    long long line = 0;
    if (text.starts_with("\xEF\xBB\xBF")) // a byte-order mark, as spreadsheets write it
        text.remove_prefix(3);
    // What each byte is to the fields: part of one, a separator, or the line's end.
    enum : unsigned char { inField, separator, lineEnd };
    static constexpr auto kinds = [] {
        std::array<unsigned char, 256> table{};
        for (const unsigned char c : {' ', '\t', ',', '\r'})
            table[c] = separator;
        table['\n'] = lineEnd;
        return table;
    }();
    const auto kind = [](char c) { return kinds[static_cast<unsigned char>(c)]; };
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        ++line;
        double numbers[3];
        int count = 0; // the line's fields, each a number
        for (;;) {
            while (p < end && kind(*p) == separator)
                ++p;
            if (p == end || kind(*p) == lineEnd)
                break;
            const char* const start = p;
            while (p < end && kind(*p) == inField)
                ++p;
            const std::string_view field(start, static_cast<std::size_t>(p - start));
            if (count == 0 && (field[0] == '#' || (std::exchange(headerAllowed, false) && isHeader(field)))) {
                p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                p = p == nullptr ? end : p;
                break; // a comment or the header: the line is skipped, count stays 0
            }
            const double value = parseNumber(field, line);
            if (count < 3)
                numbers[count] = value;
            ++count;
        }
        p += p < end; // past the line's end
        if (count == 0)
            continue;
        if (points.dimension == 0 && count != 2 && count != 3)
            throw InputError(line, numbersText(count) + "; a record has 2 or 3");
        if (points.dimension != 0 && count != points.dimension)
            throw InputError(line, numbersText(count) + ", but the records before have " +
                                       std::to_string(points.dimension));
        if (points.dimension == 0) { // room for a record on every line left, of at least 4 bytes
            const auto left = static_cast<std::size_t>(end - p);
            const auto lines = 1 + static_cast<std::size_t>(std::count(p, end, '\n'));
            points.coordinates.reserve(static_cast<std::size_t>(count) * std::min(lines, left / 4 + 1));
        }
        points.dimension = count;
        points.coordinates.insert(points.coordinates.end(), numbers, numbers + count);
    }
    if (points.count() < 2)
        throw InputError(0, "fewer than two records (" + std::to_string(points.count()) + ")");
    checkSpans(points);
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
