// Numbers and pairs as text: the report's printf formats, and the shortest text that reads back as
// the same double.
#pragma once

#include "search/point.hpp"

#include <iterator>
#include <string>

// printf into a string of whatever length it takes (a %f of 1e308 has over 300 digits).
[[gnu::format(printf, 1, 2)]] std::string printfText(const char* pattern, ...);

// "%f", as the report prints coordinates.
std::string fixedText(double value);

// The shortest decimal text that reads back as value, as std::to_chars writes it ("0.1", "1e+300",
// "498922.5", "1e-05").
std::string shortestText(double value);

// "(x, y)" or "(x, y, z)", each coordinate as number(double) writes it.
template <class Point, class Number>
std::string pointText(const Point& p, const Number& number)
{
    std::string text = "(";
    for (int k = 0; k < dimensionOf<Point>; ++k)
        text.append(k == 0 ? "" : ", ").append(number(coordinate(p, k)));
    return text + ")";
}

// What the report says of a pair that is missing: "no pair".
inline constexpr const char* noPairText = "nema para";

// "(..) - (..)", or noPairText when either record is missing.
template <class Point, class Number>
std::string pairText(const Point* first, const Point* second, const Number& number)
{
    if (first == nullptr || second == nullptr)
        return noPairText;
    return pointText(*first, number) + " - " + pointText(*second, number);
}

// "a, b and c" (or another last word): the names of a table's entries.
template <class Table>
std::string namesText(const Table& table, const char* last = " and ")
{
    std::string names;
    const std::size_t count = std::size(table);
    for (std::size_t i = 0; i < count; ++i)
        names += std::string(i == 0 ? "" : i + 1 == count ? last : ", ") + table[i].name;
    return names;
}
