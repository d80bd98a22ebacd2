// What a step looks like, as scene content: every record faded, the call's records in black, the
// strip's left and right records in blue and green, the split line in magenta, the strip's edges
// in blue, and the pairs the step is about as segments (red the best).
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
};

// The layout of a run. Widens the scene's extent by every placed record, as a point added to the
// scene would, and reaches as far as the widened extent.
template <class Point>
ExplainLayout layoutOf(const ClosestPairRun<Point>& run);

struct StepPicture {
    std::vector<ScenePointRun> runs; // over the layout's vertices
    std::vector<SceneLine> lines;
    std::vector<SceneSegment> segments;
    std::vector<SceneCircle> circles;
};

StepPicture pictureOf(const ExplainLayout& layout, const Step& step);

// Replaces the scene's point runs, lines, segments and circles with the picture's.
void showPicture(const StepPicture& picture);
