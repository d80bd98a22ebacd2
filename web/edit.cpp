// Points placed by hand: the page's script hands over canvas pixels; the C++ keeps the records,
// their changes and the rounding, and shows each change at once as the user's points.
#include "explain/edit.hpp"
#include "explain/step_view.hpp"
#include "viewer/viewer.hpp"
#include "web/page.hpp"

#include <GL/glut.h>
#include <emscripten.h>

#include <cmath>

namespace {

std::optional<EditedPoints> edited; // the points placed by hand, from the set shown when the first change came
std::optional<std::size_t> dragged; // the edited record a press took, while it is held
bool dragMoved = false;             // whether the held record has moved since the press
int editsShown = 0;                 // changes to the edited records shown so far

// Why points cannot be placed by hand on the set shown, or "".
std::string editRefusalOfShown()
{
    if (!page.shown)
        return "no set is shown";
    const int dimension = std::holds_alternative<ClosestPairRun<Point2>>(page.shown->run) ? 2 : 3;
    return editRefusal(dimension, recordCount(page.shown->run));
}

// The records being edited: those of the set shown, until its first change.
EditedPoints& editing()
{
    if (!edited) {
        edited.emplace();
        if (const auto* run = std::get_if<ClosestPairRun<Point2>>(&page.shown->run))
            edited->records.assign(run->records, run->records + run->count);
    }
    return *edited;
}

// The set's place under pixel (x, y), and a pixel's size there; none off the plane.
std::optional<Point2> placeAt(int x, int y, double& pixel)
{
    Point2 at, next;
    if (!planePoint(x, y, at.x, at.y) || !planePoint(x + 1, y, next.x, next.y))
        return std::nullopt;
    const ScenePlacement placed = stepPlacement(); // from the scene's coordinates to the set's
    for (Point2* p : {&at, &next})
        *p = {p->x / placed.scale + placed.origin[0], p->y / placed.scale + placed.origin[1]};
    pixel = std::hypot(next.x - at.x, next.y - at.y);
    return at;
}

std::optional<Point2> roundedPlaceAt(int x, int y)
{
    double pixel = 0;
    const std::optional<Point2> at = placeAt(x, y, pixel);
    return at ? std::optional(Point2{roundedToPixel(at->x, pixel), roundedToPixel(at->y, pixel)}) : std::nullopt;
}

// Opens the edited records as the user's points at the step shown, the view kept as it stands; when
// closest_explain refuses them (fewer than two), the records go back to before: "" or its message.
std::string showEdited(const EditedPoints& before)
{
    page.pointsText = recordsText(edited->records.data(), edited->records.size(), " ", "\n");
    std::vector<std::string> line = {"--points", "-"};
    const std::vector<std::string> words = viewWords();
    line.insert(line.end(), words.begin(), words.end());
    const KeptView view = keptView();
    const ScenePlacement placed = stepPlacement();
    const std::size_t step = stepsOnScreen() ? stepPlayer().current + 1 : 0;
    const std::string refused = openLine(line, page.explaining, step);
    if (!refused.empty()) {
        edited = before;
    } else { // the view as it stood, over the set as the steps now place it (following the call too)
        const ScenePlacement now = stepPlacement();
        restoreViewOver(view, static_cast<float>(placed.scale / now.scale),
                        static_cast<float>((now.origin[0] - placed.origin[0]) * now.scale),
                        static_cast<float>((now.origin[1] - placed.origin[1]) * now.scale));
    }
    if (refused.empty())
        ++editsShown;
    glutPostRedisplay();
    return refused;
}

// Makes a change (a function that changes the records and says whether it did) and shows it:
// "" or why it was refused.
template <class Change>
const char* edit(Change change)
{
    if (const std::string refused = editRefusalOfShown(); !refused.empty())
        return handOver(explainMessage(refused));
    const EditedPoints before = editing();
    return handOver(change(*edited) ? showEdited(before) : "");
}

} // namespace

void endEditing() { edited.reset(); }

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* pageEditRefusal() { return handOver(editRefusalOfShown()); }

// A press at canvas pixel (x, y): whether it takes a record within reach (by touch a wider one),
// which the drags then move.
EMSCRIPTEN_KEEPALIVE int pageEditPress(int x, int y, int touch)
{
    double pixel = 0;
    const std::optional<Point2> at = placeAt(x, y, pixel);
    dragged.reset();
    dragMoved = false;
    if (at && editRefusalOfShown().empty())
        dragged = nearestWithin(editing(), *at, (touch ? touchReach : mouseReach) * pixel);
    return dragged.has_value();
}

// The held record moved to the place under (x, y); the whole drag one change.
EMSCRIPTEN_KEEPALIVE const char* pageEditDrag(int x, int y)
{
    const std::optional<Point2> at = roundedPlaceAt(x, y);
    return edit([&](EditedPoints& e) {
        if (!dragged || !at || *dragged >= e.records.size())
            return false;
        moveRecord(e, *dragged, *at, dragMoved);
        return dragMoved = true;
    });
}

EMSCRIPTEN_KEEPALIVE void pageEditRelease() { dragged.reset(); }

// A record added at the place under (x, y).
EMSCRIPTEN_KEEPALIVE const char* pageEditAdd(int x, int y)
{
    const std::optional<Point2> at = roundedPlaceAt(x, y);
    return edit([&](EditedPoints& e) { return at && (addRecord(e, *at), true); });
}

// The record nearest to (x, y) removed, when one lies within reach.
EMSCRIPTEN_KEEPALIVE const char* pageEditRemove(int x, int y, int touch)
{
    double pixel = 0;
    const std::optional<Point2> at = placeAt(x, y, pixel);
    const double reach = (touch ? touchReach : mouseReach) * pixel;
    return edit([&](EditedPoints& e) { return at && removeNearest(e, *at, reach); });
}

EMSCRIPTEN_KEEPALIVE const char* pageUndo() { return edited ? edit(undoChange) : handOver(""); }
EMSCRIPTEN_KEEPALIVE const char* pageRedo() { return edited ? edit(redoChange) : handOver(""); }
EMSCRIPTEN_KEEPALIVE int pageEdits() { return editsShown; }
EMSCRIPTEN_KEEPALIVE int pageUndoable() { return edited && !edited->done.empty(); }
EMSCRIPTEN_KEEPALIVE int pageRedoable() { return edited && !edited->undone.empty(); }

} // extern "C"
