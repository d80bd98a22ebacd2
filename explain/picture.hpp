// What a step looks like, as scene content in the palette's codes (explain/palette.hpp): every
// record faded, the call's records black, the strip's left records filled and its right records
// hollow, the split line and, dashed, the splits of the calls under way around the call, the
// strip's edges, the pairs the step is about as segments (the best thick), at a comparison the box
// where the walk looks, and a ring about each record that has an equal one. The records are marks
// drawn over the lines, so that a record on a line stays in sight.
#pragma once

#include "explain/steps.hpp"
#include "scene/from_records.hpp"

#include <vector>

// How a run is drawn. The camera looks at the plane z = 0 from the distance of the scene's x or y
// span and sees no farther than its far plane, so the set is moved and scaled: its smallest x and
// y at 0, its nearest z in the plane z = 0 (all of it in front of the camera), and its largest
// span a tenth of the far plane long. The texts keep the world's numbers.
struct ExplainLayout {
    ScenePlacement placement;
    std::vector<ScenePoint> records; // each record placed, in record order
    std::vector<float> vertices;     // x, y, z of each placed record, in x order
    float lowZ = 0, highZ = 0;       // the placed set's z range (0 in 2D)
    float middleY = 0;               // where the vertical lines have their origin
    float lineReach = 1;             // their direction: they reach sceneLineReach times this either way
    std::vector<float> placedX;      // the placed x of each record, in x order
    std::vector<int> twins;          // the x order's positions of records equal to another one
};

// The layout of a run. Widens the scene's extent by every placed record, as a point added to the
// scene would, and reaches as far as the widened extent.
template <class Point>
ExplainLayout layoutOf(const ClosestPairRun<Point>& run);

struct StepPicture {
    std::vector<ScenePointRun> runs; // over the layout's vertices, drawn as marks over the rest
    std::vector<SceneLine> lines;
    std::vector<SceneSegment> segments; // the search box's sides among them
    std::vector<SceneCircle> circles;
};

StepPicture pictureOf(const ExplainLayout& layout, const Step& step);

// What a question about the step shows before its answer: the call's records, and a strip's split
// line, a comparison's strip, box, best pair and pair compared, a combine's two pairs (none of them
// marked as kept); with a ring about each record chosen so far, by its position in x order, and a
// square about the one at cursor (-1: none).
StepPicture questionPictureOf(const ExplainLayout& layout, const Step& step, const std::vector<int>& chosen,
                              int cursor = -1);

// The placed x of the splits of the calls under way around a step's call, outermost first: the
// divide and conquer's own halving of the x order, from all records down to the call.
std::vector<float> outerSplits(const ExplainLayout& layout, const Step& step);

// Replaces the scene's mark runs, lines, segments and circles with the picture's, in the palette's
// colours.
void showPicture(const StepPicture& picture);
