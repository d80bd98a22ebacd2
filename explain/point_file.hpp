// Point sets read from text: one record per line, 2 or 3 numbers separated by spaces, tabs or
// commas. Blank lines and lines starting with # are skipped, and so is a first line of words in
// any script (a header such as x,y,z or širina,visina) and a UTF-8 byte-order mark. Every record
// has the same count of numbers, and the records lie close enough together for every squared
// distance to be a finite double below the largest one.
#pragma once

#include "run/run.hpp"
#include "search/point.hpp"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct PointText {
    int dimension = 0;               // 2 or 3
    std::vector<double> coordinates; // dimension numbers a record, in file order
    long long count() const { return dimension == 0 ? 0 : static_cast<long long>(coordinates.size()) / dimension; }
};

// What is wrong with the input, and on which line (0 when it is not about one line).
struct InputError : std::runtime_error {
    long long line;
    InputError(long long where, const std::string& what) : std::runtime_error(what), line(where) {}
};

// "NAME:LINE: what", or "NAME: what" when it is not about one line.
std::string inputErrorText(const std::string& name, const InputError& error);

// Each number is the double nearest to its decimal text. Throws InputError.
PointText parsePoints(std::string_view text);

// A piece of input as a message may show it: control bytes as \xNN, and at most 40 bytes of it.
std::string shownText(std::string_view text);

// shownText between single quotes, as messages quote a piece of input: 'x\x00y'.
std::string quotedText(std::string_view text);

// The whole of a file, or of standard input for "-". Throws InputError when it cannot be read.
std::string readWholeFile(const std::string& name);

// readWholeFile into storage, as closest_explain reads a point file.
inline std::string_view readPointFile(const std::string& name, std::string& storage)
{
    storage = readWholeFile(name);
    return storage;
}

// A run over the records of text, which must be of Point's dimension, in the stable sort's order
// (the programs' order); the text is emptied as its numbers are taken. Throws std::bad_alloc.
template <class Point>
ClosestPairRun<Point> runOf(PointText& text)
{
    const long long count = text.count();
    Point* records = allocateArray<Point>(count);
    for (long long i = 0; i < count; ++i)
        for (int k = 0; k < dimensionOf<Point>; ++k)
            coordinate(records[i], k) = text.coordinates[i * dimensionOf<Point> + k];
    text = PointText{};
    return sortRun(records, static_cast<int>(count), true);
}
