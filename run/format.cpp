#include "run/format.hpp"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

std::string printfText(const char* pattern, ...)
{
    std::va_list args, again;
    va_start(args, pattern);
    va_copy(again, args);
    std::string text(static_cast<std::size_t>(std::vsnprintf(nullptr, 0, pattern, args)), '\0');
    std::vsnprintf(text.data(), text.size() + 1, pattern, again);
    va_end(again);
    va_end(args);
    return text;
}

std::string fixedText(double value) { return printfText("%f", value); }

// The fewest significant digits that read back as value (printf rounds correctly, so the first
// count whose text reads back is the fewest; 17 always do), then written in fixed or scientific
// notation, whichever is shorter, fixed on a tie: what std::to_chars writes, with one rule for
// every C library, since not all of them have std::to_chars for doubles yet.
std::string shortestText(double value)
{
    if (!std::isfinite(value))
        return printfText("%g", value);
    std::string scientific;
    for (int precision = 0; precision < 17; ++precision) {
        scientific = printfText("%.*e", precision, value);
        if (std::strtod(scientific.c_str(), nullptr) == value)
            break;
    }
    // scientific is [-]d[.ddd]e±XX: its sign, digits and exponent give the fixed text.
    const std::size_t e = scientific.find('e');
    const std::string sign = value < 0 || std::signbit(value) ? "-" : "";
    std::string digits = scientific.substr(sign.size(), e - sign.size());
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    const int count = static_cast<int>(digits.size());
    std::string fixed = sign; // a whole number has as many digits either way: the exact ones are nearest
    if (exponent >= count - 1)
        fixed = printfText("%.0f", value);
    else if (const auto whole = static_cast<std::size_t>(exponent) + 1; exponent >= 0)
        fixed.append(digits, 0, whole).append(".").append(digits, whole);
    else
        fixed.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    return scientific.size() < fixed.size() ? scientific : fixed;
}
