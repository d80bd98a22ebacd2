#include "run/format.hpp"

#include <charconv>
#include <cstdarg>
#include <cstdio>

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

std::string shortestText(double value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end);
}
