// Search records into the scene: the hand-off of a run's records and pair.
#pragma once

#include "scene/scene.hpp"
#include "search/point.hpp"

// Where records are drawn: (p - origin) * scale, each axis; the identity by default.
struct ScenePlacement {
    double origin[3] = {0, 0, 0};
    double scale = 1;
};

// A record as a scene point: the nearest floats of its placed coordinates; z is 0 in 2D.
template <class Point>
ScenePoint scenePointOf(const Point& p, const ScenePlacement& at = {})
{
    float c[3] = {0, 0, 0};
    for (int k = 0; k < dimensionOf<Point>; ++k)
        c[k] = static_cast<float>((coordinate(p, k) - at.origin[k]) * at.scale);
    return ScenePoint{c[0], c[1], c[2]};
}

// Adds every record (colour 9, black) in record order, then the pair, when there is one, as a
// segment at z = 0 from the records' x and y (colour 0, red).
template <class Point>
void addToScene(const Point* records, int count, const Point* first, const Point* second)
{
    for (int i = 0; i < count; ++i)
        addScenePoint(scenePointOf(records[i]), colorBlack);
    if (first != nullptr && second != nullptr) {
        SceneSegment pair;
        pair.a = ScenePoint{static_cast<float>(first->x), static_cast<float>(first->y), 0};
        pair.b = ScenePoint{static_cast<float>(second->x), static_cast<float>(second->y), 0};
        addSceneSegment(pair, colorRed);
    }
}

// As addToScene, but the records go to sceneVertices as one run of dots, which is drawn over the
// pair as addToScene's points are: a large set handed to the GL at once, not point by point.
template <class Point>
void addRunToScene(const Point* records, int count, const Point* first, const Point* second)
{
    const int from = static_cast<int>(sceneVertices.size() / 3);
    sceneVertices.reserve(sceneVertices.size() + 3 * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const ScenePoint p = scenePointOf(records[i]);
        sceneVertices.insert(sceneVertices.end(), {p.x, p.y, p.z});
        widenSceneExtent(p.x, p.y);
    }
    ++sceneVerticesVersion;
    sceneMarkRuns.push_back({from, count, colorBlack, SceneMark::dot, 0});
    addToScene(records, 0, first, second);
}
