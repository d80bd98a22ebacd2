// Points placed by hand: the records being edited, added, moved and removed where the user points,
// each change undone and redone; and the rounding of a pointed place to what the picture can show.
#pragma once

#include "search/point.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// How near, in window pixels, a press must come to a record to take it (a finger less exactly).
inline constexpr double mouseReach = 8;
inline constexpr double touchReach = 24;

// One change: the record at index before and after it (none before an add, none after a remove).
struct EditChange {
    std::size_t index = 0;
    std::optional<Point2> before, after;
};

// The records in the user's order, and the changes that undo and redo walk through.
struct EditedPoints {
    std::vector<Point2> records;
    std::vector<EditChange> done;   // the last change last
    std::vector<EditChange> undone; // the last undone last; any new change clears them
};

// value rounded to the decimal power just finer than pixel (a pixel's size in the set's units), so
// that its shortest text is short: 3.14159 at pixel 0.02 is 3.14, 1234.5 at pixel 30 is 1230.
// A pixel that is not a positive finite size leaves value as it is.
double roundedToPixel(double value, double pixel);

// The record nearest to at within reach (a distance), or none.
std::optional<std::size_t> nearestWithin(const EditedPoints& edited, Point2 at, double reach);

void addRecord(EditedPoints& edited, Point2 at);

// Moves the record at index to at. Amending, the last change (a move of the same record) is
// carried on, so that a whole drag is undone at once.
void moveRecord(EditedPoints& edited, std::size_t index, Point2 at, bool amending);

// Removes the record nearest to at within reach: whether there was one.
bool removeNearest(EditedPoints& edited, Point2 at, double reach);

// The last change undone, or the last undone redone: whether there was one.
bool undoChange(EditedPoints& edited);
bool redoChange(EditedPoints& edited);

// Why points cannot be placed by hand on a set of dimension and count, or "".
std::string editRefusal(int dimension, int count);
