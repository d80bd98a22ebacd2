#include "explain/point_file.hpp"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <memory>
#include <sys/stat.h>
#include <utility>

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

// Calls use(field) for each run of non-separators in the line, in order.
template <class Use>
void forEachField(std::string_view line, Use use)
{
    for (std::size_t i = 0; i < line.size();) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        if (i > start)
            use(line.substr(start, i - start));
    }
}

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

// A line of words: its first field starts with a letter of any script, holds no control byte, and
// is no spelling of NaN or infinity, which are reported as numbers that are not finite.
bool isHeader(std::string_view field)
{
    if (field.empty() || std::any_of(field.begin(), field.end(), isControl) ||
        !(std::isalpha(static_cast<unsigned char>(field[0])) || startsWideWord(leadingWide(field))))
        return false;
    std::string lower(field);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower != "nan" && lower != "inf" && lower != "infinity";
}

std::string quoted(std::string_view field) { return "'" + shownText(field) + "'"; }

// Decimal text: a sign, digits with at most one point, and an exponent; or inf, infinity, nan.
// No hexadecimal and no white space, which strtod would also take.
bool isNumberText(std::string_view text)
{
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "inf" || lower == "infinity" || lower == "nan")
        return true;
    const auto digits = [&lower](std::size_t& at) {
        const std::size_t from = at;
        while (at < lower.size() && std::isdigit(static_cast<unsigned char>(lower[at])))
            ++at;
        return at - from;
    };
    std::size_t at = 0;
    std::size_t significant = digits(at);
    if (at < lower.size() && lower[at] == '.')
        significant += digits(++at);
    if (significant == 0)
        return false;
    if (at < lower.size() && lower[at] == 'e') {
        if (++at < lower.size() && (lower[at] == '+' || lower[at] == '-'))
            ++at;
        if (digits(at) == 0)
            return false;
    }
    return at == lower.size();
}

__extension__ typedef unsigned __int128 Wide; // exact products and quotients of 19-digit numbers

int bitLength(Wide n)
{
    const auto high = static_cast<std::uint64_t>(n >> 64), low = static_cast<std::uint64_t>(n);
    return high != 0 ? 128 - __builtin_clzll(high) : low != 0 ? 64 - __builtin_clzll(low) : 0;
}

// The double nearest to number text (as isNumberText takes it, not inf or nan) of at most 19
// significant digits times a power of ten within 10^-19 to 10^19, ties to even, by exact integer
// arithmetic: what strtod gives, without its slow path (slow under WebAssembly above all). False
// for another text.
bool exactDecimal(std::string_view text, double& value)
{
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    if (text.empty() || !(text[0] == '.' || std::isdigit(static_cast<unsigned char>(text[0]))))
        return false; // inf, infinity or nan: strtod's
    std::uint64_t digits = 0;
    int significant = 0, exponent = 0;
    bool point = false;
    std::size_t at = 0;
    for (; at < text.size() && (text[at] == '.' || std::isdigit(static_cast<unsigned char>(text[at]))); ++at) {
        if (text[at] == '.') {
            point = true;
            continue;
        }
        exponent -= point;
        if (significant == 0 && text[at] == '0')
            continue;
        if (++significant > 19)
            return false;
        digits = digits * 10 + static_cast<std::uint64_t>(text[at] - '0');
    }
    if (at < text.size()) { // e, a sign, digits
        const bool minus = text[++at] == '-';
        int power = 0;
        for (at += text[at] == '-' || text[at] == '+'; at < text.size(); ++at)
            if ((power = power * 10 + (text[at] - '0')) > 1000)
                return false;
        exponent += minus ? -power : power;
    }
    if (digits == 0) {
        value = negative ? -0.0 : 0.0;
        return true;
    }
    if (exponent < -19 || exponent > 19)
        return false;
    Wide ten = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        ten *= 10;
    // The value is (whole + a fraction, nonzero when inexact) / 2^shift.
    int shift = 0;
    Wide whole = static_cast<Wide>(digits) * ten;
    bool inexact = false;
    if (exponent < 0) {
        shift = 127 - bitLength(digits); // a quotient of 63 bits or more
        const Wide scaled = static_cast<Wide>(digits) << shift;
        whole = scaled / ten;
        inexact = scaled % ten != 0;
    }
    const int drop = std::max(bitLength(whole) - 53, 0);
    auto mantissa = static_cast<std::uint64_t>(whole >> drop);
    if (drop > 0) {
        const Wide rest = whole & ((Wide(1) << drop) - 1), half = Wide(1) << (drop - 1);
        mantissa += rest > half || (rest == half && (inexact || (mantissa & 1) != 0));
    }
    value = std::ldexp(static_cast<double>(mantissa), drop - shift);
    if (negative)
        value = -value;
    return true;
}

// The double nearest to the text, as strtod reads it: beyond the largest double, infinity.
double parseNumber(std::string_view field, long long line)
{
    if (!isNumberText(field))
        throw InputError(line, quoted(field) + " is not a number");
    double value = 0;
    if (!exactDecimal(field, value))
        value = std::strtod(std::string(field).c_str(), nullptr);
    if (!std::isfinite(value))
        throw InputError(line, quoted(field) + " is not a finite number");
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
    for (std::size_t at = 0; at < text.size();) {
        std::size_t next = text.find('\n', at);
        if (next == std::string_view::npos)
            next = text.size();
        const std::string_view content = text.substr(at, next - at);
        at = next + 1;
        ++line;

        // The line's first four fields, and how many it has.
        std::string_view fields[4];
        int count = 0;
        forEachField(content, [&](std::string_view field) {
            if (count < 4)
                fields[count] = field;
            ++count;
        });
        if (count == 0 || fields[0][0] == '#')
            continue;
        if (std::exchange(headerAllowed, false) && isHeader(fields[0]))
            continue;
        double numbers[3];
        int k = 0;
        forEachField(content, [&](std::string_view field) { // each field is a number, counted or not
            const double value = parseNumber(field, line);
            if (k < 3)
                numbers[k++] = value;
        });
        if (points.dimension == 0 && count != 2 && count != 3)
            throw InputError(line, numbersText(count) + "; a record has 2 or 3");
        if (points.dimension != 0 && count != points.dimension)
            throw InputError(line, numbersText(count) + ", but the records before have " +
                                       std::to_string(points.dimension));
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
