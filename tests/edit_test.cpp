// Points placed by hand: changes on the records, undone and redone, and the rounding.
#include "explain/edit.hpp"
#include "run/format.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string texts(const EditedPoints& edited)
{
    std::string text;
    for (const Point2& p : edited.records)
        text += shortestText(p.x) + "," + shortestText(p.y) + ";";
    return text;
}

TEST(Edit, ChangesUndoAndRedo)
{
    EditedPoints edited{{{0, 0}, {10, 0}}, {}, {}};
    const std::function<bool()> undo = [&] { return undoChange(edited); }, redo = [&] { return redoChange(edited); };
    const struct {
        const char* what;
        std::function<bool()> change;
        const char* records;
    } cases[] = {
        {"add at the end", [&] { return addRecord(edited, {5, 5}), true; }, "0,0;10,0;5,5;"},
        {"a drag moves once",
         [&] { return moveRecord(edited, 0, {1, 1}, false), moveRecord(edited, 0, {2, 1}, true), true; },
         "2,1;10,0;5,5;"},
        {"undo the whole drag", undo, "0,0;10,0;5,5;"},
        {"redo it", redo, "2,1;10,0;5,5;"},
        {"nothing more to redo", [&] { return !redo(); }, "2,1;10,0;5,5;"},
        {"remove the nearest within reach", [&] { return removeNearest(edited, {9, 1}, 2); }, "2,1;5,5;"},
        {"none beyond reach", [&] { return !removeNearest(edited, {9, 1}, 2); }, "2,1;5,5;"},
        {"undo puts it back in its place", undo, "2,1;10,0;5,5;"},
        {"a new change clears the redo", [&] { return addRecord(edited, {7, 7}), !redo(); }, "2,1;10,0;5,5;7,7;"},
        {"undo back to the start", [&] { return undo() && undo() && undo() && !undo(); }, "0,0;10,0;"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.change()) << c.what;
        EXPECT_EQ(texts(edited), c.records) << c.what;
    }
}

TEST(Edit, RoundsToThePowerOfTenFinerThanAPixel)
{
    const struct {
        double value, pixel;
        const char* text;
    } cases[] = {{3.14159, 0.02, "3.14"}, {1234.5, 30, "1230"}, {0.30000000000000004, 0.05, "0.3"},
                 {-0.004, 0.05, "0"},     {2.5e-7, 1.5e-8, "2.5e-07"}, {7.777, 1, "8"}, {7.777, 0, "7.777"}};
    for (const auto& c : cases)
        EXPECT_EQ(shortestText(roundedToPixel(c.value, c.pixel)), c.text) << c.value << " at " << c.pixel;
}

} // namespace
