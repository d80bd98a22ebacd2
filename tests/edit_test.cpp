// Points placed by hand: changes on the records, undone and redone, and the rounding.
#include "explain/edit.hpp"
#include "run/format.hpp"

#include <gtest/gtest.h>

#include <functional>

TEST(Edit, ChangesUndoAndRedo)
{
    EditedPoints edited{{{0, 0}, {10, 0}}, {}, {}};
    const std::function<bool()> undo = [&] { return undoChange(edited); }, redo = [&] { return redoChange(edited); };
    const std::pair<std::function<bool()>, const char*> cases[] = {
        {[&] { return addRecord(edited, {5, 5}), true; }, "0,0;10,0;5,5;"}, // at the end
        {[&] { return moveRecord(edited, 0, {1, 1}, false), moveRecord(edited, 0, {2, 1}, true), true; },
         "2,1;10,0;5,5;"},                                                     // a drag, one change
        {undo, "0,0;10,0;5,5;"},                                               // the whole drag
        {redo, "2,1;10,0;5,5;"},
        {[&] { return !redo(); }, "2,1;10,0;5,5;"},
        {[&] { return removeNearest(edited, {9, 1}, 2); }, "2,1;5,5;"},        // within reach
        {[&] { return !removeNearest(edited, {9, 1}, 2); }, "2,1;5,5;"},       // none beyond
        {undo, "2,1;10,0;5,5;"},                                               // back in its place
        {[&] { return addRecord(edited, {7, 7}), !redo(); }, "2,1;10,0;5,5;7,7;"}, // a change clears the redo
        {[&] { return undo() && undo() && undo() && !undo(); }, "0,0;10,0;"}};
    for (const auto& [change, records] : cases) {
        EXPECT_TRUE(change()) << records;
        std::string text;
        for (const Point2& p : edited.records)
            text += shortestText(p.x) + "," + shortestText(p.y) + ";";
        EXPECT_EQ(text, records);
    }
}

TEST(Edit, RoundsToThePowerOfTenFinerThanAPixel)
{
    const std::tuple<double, double, const char*> cases[] = {
        {3.14159, 0.02, "3.14"}, {1234.5, 30, "1230"}, {0.30000000000000004, 0.05, "0.3"}, {-0.004, 0.05, "0"},
        {2.5e-7, 1.5e-8, "2.5e-07"}, {7.777, 1, "8"}, {7.777, 0, "7.777"}};
    for (const auto& [value, pixel, text] : cases)
        EXPECT_EQ(shortestText(roundedToPixel(value, pixel)), text) << value << " at " << pixel;
}
