// The point reader's numbers against strtod over generated files, and the texts it refuses at the
// edges of its own number syntax.
#include "explain/point_file.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// A decimal text of one of the shapes files hold: short decimals, the 17 digits that print a
// double exactly, 19 digits (the most an integer of 64 bits holds), 20 to 40 digits, and exponents
// from the subnormals to the largest doubles, with a sign now and then.
std::string numberText(std::mt19937_64& random)
{
    char text[96];
    const double value = std::uniform_real_distribution<double>(-1, 1)(random) *
                         std::pow(10.0, static_cast<double>(random() % 40) - 20);
    switch (random() % 6) {
    case 0:
        std::snprintf(text, sizeof text, "%.*f", static_cast<int>(random() % 7), value * 1000);
        break;
    case 1:
        std::snprintf(text, sizeof text, "%.17g", value);
        break;
    case 2:
        std::snprintf(text, sizeof text, "%.19g", value);
        break;
    case 3:
        std::snprintf(text, sizeof text, "%.*e", static_cast<int>(20 + random() % 20), value);
        break;
    case 4: // an exponent anywhere in the doubles' range, written with E and a plus sign at times
        std::snprintf(text, sizeof text, random() % 2 ? "%.*e" : "%.*E", static_cast<int>(random() % 20),
                      std::ldexp(value, static_cast<int>(random() % 1480) - 1060));
        break;
    default: { // digits with the point anywhere, the exponent in or beyond what doubles hold exactly
        const std::string digits = std::to_string(random() >> (random() % 64));
        const std::size_t point = random() % (digits.size() + 1);
        std::snprintf(text, sizeof text, "%s.%se%+d", digits.substr(0, point).c_str(), digits.substr(point).c_str(),
                      static_cast<int>(random() % 80) - 40);
    }
    }
    std::string number = text;
    if (number[0] != '-' && random() % 8 == 0)
        number = "+" + number;
    return number;
}

TEST(PointReader, NumbersAreStrtodsBitForBit)
{
    std::mt19937_64 random(25);
    const char* separators[] = {" ", "\t", ",", ", ", " \t ", ",,"};
    const char* ends[] = {"\n", "\r\n", " \r\n", ",\n"};
    std::vector<std::string> texts;
    std::string file = "x,y,z\r\n";
    for (int line = 0; line < 60'000; ++line) {
        for (int k = 0; k < 3; ++k) {
            texts.push_back(numberText(random));
            file += (k == 0 ? "" : separators[random() % std::size(separators)]) + texts.back();
        }
        file += ends[random() % std::size(ends)];
    }
    const PointText points = parsePoints(file);
    ASSERT_EQ(points.coordinates.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(points.coordinates[i]),
                  std::bit_cast<std::uint64_t>(std::strtod(texts[i].c_str(), nullptr)))
            << texts[i];
}

// Each field that is no decimal text (nor inf, infinity or nan, which are not finite), with its
// line counted across comments, blank lines and CRLF line ends.
TEST(PointReader, RefusesWhatIsNoDecimalText)
{
    const std::pair<std::string, std::string> cases[] = {
        {"1e", "'1e' is not a number"},       {"1e+", "'1e+' is not a number"},
        {".", "'.' is not a number"},         {"-", "'-' is not a number"},
        {"+", "'+' is not a number"},         {"1..2", "'1..2' is not a number"},
        {"1.2.3", "'1.2.3' is not a number"}, {"--1", "'--1' is not a number"},
        {"1e5.5", "'1e5.5' is not a number"}, {"e5", "'e5' is not a number"},
        {".e1", "'.e1' is not a number"},     {"0x10", "'0x10' is not a number"},
        {"1e+-2", "'1e+-2' is not a number"}, {"infinityx", "'infinityx' is not a number"},
        {"nan(1)", "'nan(1)' is not a number"}, {"1\x01", "'1\\x01' is not a number"},
        {"-InFiNiTy", "'-InFiNiTy' is not a finite number"}, {"NAN", "'NAN' is not a finite number"},
        {"1e99999999999", "'1e99999999999' is not a finite number"},
        {"1.7976931348623159e308", "'1.7976931348623159e308' is not a finite number"},
    };
    for (const auto& [field, message] : cases) {
        try {
            parsePoints("# a comment\r\n1 2\r\n\r\n3 " + field + "\r\n5 6\n");
            ADD_FAILURE() << field;
        } catch (const InputError& e) {
            EXPECT_EQ(std::make_pair(e.line, std::string(e.what())), std::make_pair(4LL, message));
        }
    }
    // Zeros with any exponent and underflow read as zero, the least subnormal as itself.
    const PointText edges = parsePoints("0e99999999 -0.000e-5\n1e-99999 4.9e-324\n");
    EXPECT_EQ(edges.coordinates, (std::vector<double>{0, -0.0, 0, 4.9e-324}));
    EXPECT_TRUE(std::signbit(edges.coordinates[1]));
}

} // namespace
