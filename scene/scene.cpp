#include "scene/scene.hpp"

#include <stdexcept>

// Defined in one file, in this order, so they are built points first and destroyed in reverse.
std::list<ScenePoint> scenePoints;
std::list<SceneSegment> sceneSegments;
std::list<SceneLine> sceneLines;
std::list<SceneCircle> sceneCircles;
constinit SceneExtent sceneExtent;
constinit SceneLimits sceneLimits;
std::vector<float> sceneVertices;
unsigned sceneVerticesVersion = 0;
std::vector<ScenePointRun> scenePointRuns;
std::vector<ScenePointRun> sceneMarkRuns;
std::vector<SceneRgb> sceneMoreColors;
std::vector<std::string> sceneText;
std::vector<std::string> sceneSideText;
int sceneSideMarked = -1;
std::vector<std::string> sceneFootText;

namespace {

template <class T>
void appendWithin(std::list<T>& list, const T& item, std::size_t most)
{
    if (list.size() >= most)
        throw std::length_error("list<T> too long");
    list.push_back(item);
}

} // namespace

void widenSceneExtent(float x, float y)
{
    if (sceneExtent.min.x > x)
        sceneExtent.min.x = x;
    if (sceneExtent.min.y > y)
        sceneExtent.min.y = y;
    if (x > sceneExtent.max.x)
        sceneExtent.max.x = x;
    if (y > sceneExtent.max.y)
        sceneExtent.max.y = y;
}

void addScenePoint(ScenePoint point, ColorCode color)
{
    point.color = color;
    appendWithin(scenePoints, point, sceneLimits.points);
    widenSceneExtent(point.x, point.y);
}

void addSceneSegment(SceneSegment segment, ColorCode color)
{
    segment.color = color;
    appendWithin(sceneSegments, segment, sceneLimits.segments);
    widenSceneExtent(segment.a.x, segment.a.y);
    widenSceneExtent(segment.b.x, segment.b.y);
}

void addSceneLine(SceneLine line, ColorCode color)
{
    line.color = color;
    appendWithin(sceneLines, line, sceneLimits.lines);
}

void addSceneCircle(SceneCircle circle, ColorCode color)
{
    circle.color = color;
    appendWithin(sceneCircles, circle, sceneLimits.circles);
}

void clearSceneDrawings()
{
    sceneSegments.clear();
    sceneLines.clear();
    sceneCircles.clear();
}

void clearScene()
{
    clearSceneDrawings();
    scenePoints.clear();
    sceneVertices.clear();
    ++sceneVerticesVersion;
    scenePointRuns.clear();
    sceneMarkRuns.clear();
    sceneText.clear();
    sceneSideText.clear();
    sceneSideMarked = -1;
    sceneFootText.clear();
    sceneExtent = SceneExtent{};
}
