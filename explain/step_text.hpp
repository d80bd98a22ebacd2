// The steps in words, in Serbian or English, with every number in the shortest text that reads
// back as the same double or rounded for the eye; and the pieces every text of closest_explain is
// built from.
#pragma once

#include "explain/language.hpp"
#include "explain/steps.hpp"

#include <initializer_list>
#include <string>
#include <string_view>

// How the texts write a number: with digits 0, the shortest text that reads back as the same
// double; else rounded to digits significant digits (1 to 17), with roundedMark before a number
// that the rounding changed.
struct NumberStyle {
    int digits = 0;
    const char* roundedMark = "≈"; // ≈
};

// The mark of the native window, whose bitmap font has ASCII alone.
inline constexpr const char* asciiRoundedMark = "~";

// value as style writes it: 2.088061301782112 at 3 digits "≈2.09", 0.5 at 3 digits "0.5" (exact).
std::string numberText(double value, NumberStyle style);

// The distance of a squared one as the steps write it: "infinity" past the largest double.
std::string distanceText(double squared, Language language, NumberStyle numbers = {});

// What a step shows, with its numbers; the end repeats the report's first line as it is.
template <class Point>
std::string describeStep(const ClosestPairRun<Point>& run, const Step& step, Language language = Language::sr,
                         NumberStyle numbers = {});

// "Korak 5 od 7: " and the step's text, as --steps prints it (numbers count from 1).
template <class Point>
std::string numberedStep(const ClosestPairRun<Point>& run, const Step& step, std::size_t number, std::size_t total,
                         Language language = Language::sr, NumberStyle numbers = {});

// "Korak 5 od 7" or "Step 5 of 7".
std::string stepOfText(std::size_t number, std::size_t total, Language language);

// The form of noun that agrees with count, as the language chooses it.
const char* nounFor(double count, Language language, Noun noun);

// count and its noun: "21 par", "12 tacaka", "1 point".
std::string counted(long long count, Language language, Noun noun);

// pattern with each "{i}" replaced by args[i] (i a single digit).
std::string filled(std::string_view pattern, std::initializer_list<std::string_view> args);
