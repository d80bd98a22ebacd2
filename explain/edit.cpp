#include "explain/edit.hpp"

#include "explain/driver.hpp"
#include "run/format.hpp"

#include <cmath>
#include <cstdlib>

double roundedToPixel(double value, double pixel)
{
    if (!(pixel > 0) || !std::isfinite(pixel) || !std::isfinite(value))
        return value;
    const int power = static_cast<int>(std::floor(std::log10(pixel)));
    if (power >= 0) { // a whole number of that power of ten is exact
        const double unit = std::pow(10.0, power);
        return std::round(value / unit) * unit + 0.0;
    }
    // The double nearest to the decimal text with so many decimals, as a file of them reads back.
    return std::strtod(printfText("%.*f", -power, value).c_str(), nullptr) + 0.0; // + 0.0: no "-0"
}

std::optional<std::size_t> nearestWithin(const EditedPoints& edited, Point2 at, double reach)
{
    std::optional<std::size_t> nearest;
    double sqBest = reach * reach;
    for (std::size_t i = 0; i < edited.records.size(); ++i) {
        const double dx = edited.records[i].x - at.x, dy = edited.records[i].y - at.y;
        if (const double sq = dx * dx + dy * dy; sq <= sqBest) {
            sqBest = sq;
            nearest = i;
        }
    }
    return nearest;
}

namespace {

// Sets the record at change.index to after: inserted there, replaced, or erased.
void applyChange(std::vector<Point2>& records, const EditChange& change)
{
    const auto at = records.begin() + static_cast<std::ptrdiff_t>(change.index);
    if (!change.before)
        records.insert(at, *change.after);
    else if (!change.after)
        records.erase(at);
    else
        *at = *change.after;
}

void make(EditedPoints& edited, EditChange change)
{
    applyChange(edited.records, change);
    edited.done.push_back(change);
    edited.undone.clear();
}

} // namespace

void addRecord(EditedPoints& edited, Point2 at) { make(edited, {edited.records.size(), std::nullopt, at}); }

void moveRecord(EditedPoints& edited, std::size_t index, Point2 at, bool amending)
{
    if (amending && !edited.done.empty() && edited.done.back().index == index && edited.done.back().before &&
        edited.done.back().after) {
        edited.records[index] = at;
        edited.done.back().after = at;
        edited.undone.clear();
    } else {
        make(edited, {index, edited.records[index], at});
    }
}

bool removeNearest(EditedPoints& edited, Point2 at, double reach)
{
    const std::optional<std::size_t> nearest = nearestWithin(edited, at, reach);
    if (nearest)
        make(edited, {*nearest, edited.records[*nearest], std::nullopt});
    return nearest.has_value();
}

bool undoChange(EditedPoints& edited)
{
    if (edited.done.empty())
        return false;
    const EditChange change = edited.done.back();
    applyChange(edited.records, {change.index, change.after, change.before});
    edited.done.pop_back();
    edited.undone.push_back(change);
    return true;
}

bool redoChange(EditedPoints& edited)
{
    if (edited.undone.empty())
        return false;
    const EditChange change = edited.undone.back();
    applyChange(edited.records, change);
    edited.undone.pop_back();
    edited.done.push_back(change);
    return true;
}

std::string editRefusal(int dimension, int count)
{
    if (dimension != 2)
        return "points are placed by hand in 2D only";
    return stepsShown(count) ? "" : tooManyForSteps(count);
}
