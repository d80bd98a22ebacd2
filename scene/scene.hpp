// The scene store: display primitives, the four global lists the viewer draws, and the running
// extent of the scene in x and y from which the viewer places its camera. Beside them, for large
// sets drawn in bulk, a vertex array drawn in coloured runs, and lines of text for the window's
// top left corner and, where the window keeps a column for them, its right side. Pictures that
// need more than the ten colours and the plain dot and line bring their own colours (codes from
// colorCount on), strokes and marks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

using ColorCode = std::int32_t; // 0..9, an entry of the viewer's colour table; from 10, of sceneMoreColors

// The colour table's entries.
inline constexpr ColorCode colorRed = 0, colorGreen = 1, colorBlue = 2, colorYellow = 3, colorOrange = 4,
                           colorMagenta = 5, colorCyan = 6, colorPurple = 7, colorWhite = 8, colorBlack = 9;
inline constexpr int colorCount = 10;

// The picture's background, the window's clear colour (red, green, blue from 0 to 1).
inline constexpr float sceneBackground[3] = {0.9f, 0.9f, 0.8f};

// The camera sees no farther than this: whatever the scene must show lies nearer.
inline constexpr double viewerFarPlane = 1000;

// How a line, segment or circle is drawn. The default is the programs' own: a GL line one pixel
// wide, with a segment's end dots the viewer's point size.
struct SceneStroke {
    float width = 0;   // pixels across, drawn as quads (so that WebGL draws them too); 0: a GL line
    float dash = 0;    // pixels of each dash and of each gap; 0: solid
    float endSize = 0; // a segment's end dots, pixels across: 0 the viewer's point size, below 0 none
};

// How a run of records is drawn: the viewer's dot, a larger filled square, or an outline (a
// square, or a wider ring around whatever else is drawn there), size pixels across.
enum class SceneMark : std::int32_t { dot, filled, square, ring };

struct ScenePoint {
    float x = 0;
    float y = 0;
    float z = 0;
    ColorCode color = colorBlack;
};

struct SceneSegment {
    ScenePoint a;
    ScenePoint b;
    ColorCode color = colorBlack; // colour of the segment and its end dots; a.color and b.color are unused
    SceneStroke stroke{};
};

// A line is drawn this many times its direction either way from its origin.
inline constexpr float sceneLineReach = 100;

struct SceneLine {
    ScenePoint origin;
    ScenePoint direction; // drawn from origin - 100 * direction to origin + 100 * direction
    ColorCode color = colorBlack;
    SceneStroke stroke{};
};

struct SceneCircle {
    ScenePoint center; // the circle lies in the plane z = center.z
    float radius = 0;
    ColorCode color = colorBlack;
    SceneStroke stroke{};
};

// Starts at min (1024, 700) and max (0, 0), not at neutral bounds: the camera relies on it.
struct SceneExtent {
    ScenePoint min{1024, 700, 0};
    ScenePoint max{0, 0, 0};
};

// count vertices of sceneVertices from first on, drawn as points of one colour.
struct ScenePointRun {
    int first = 0;
    int count = 0;
    ColorCode color = colorBlack;
    SceneMark mark = SceneMark::dot;
    float size = 0; // pixels across, for a mark other than the dot
};

// A colour of a code from colorCount on, as sRGB bytes.
struct SceneRgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// The most elements each list may hold. An add beyond them throws std::length_error. Kept in a
// variable so that tests can reach the limit without allocating hundreds of millions of nodes.
struct SceneLimits {
    std::size_t points = 268'435'454;
    std::size_t segments = 119'304'646;
    std::size_t lines = 119'304'646;
    std::size_t circles = 119'304'646;
};

extern std::list<ScenePoint> scenePoints;
extern std::list<SceneSegment> sceneSegments;
extern std::list<SceneLine> sceneLines;
extern std::list<SceneCircle> sceneCircles;
extern SceneExtent sceneExtent;
extern SceneLimits sceneLimits;
extern std::vector<float> sceneVertices;         // x, y, z of each vertex the runs draw
extern unsigned sceneVerticesVersion;            // raised at each change of sceneVertices, for a drawing that keeps a copy
extern std::vector<ScenePointRun> scenePointRuns; // drawn in order, before everything else
extern std::vector<ScenePointRun> sceneMarkRuns;  // over sceneVertices too, drawn in order over all but text
extern std::vector<SceneRgb> sceneMoreColors;     // the colours of codes colorCount, colorCount + 1, ...
extern std::vector<std::string> sceneText;        // drawn last, a line each, in window pixels
extern std::vector<std::string> sceneSideText;    // drawn in the window's right column, a line each
extern int sceneSideMarked;                       // the side line drawn as the current one, or -1
extern std::vector<std::string> sceneFootText;    // drawn across the window's bottom, in two columns, a line each

// Widens the extent by x and y, as every add does: four independent strict tests on the stored
// floats, so a NaN leaves its axis alone.
void widenSceneExtent(float x, float y);

// Appends a copy of point with its colour replaced by color, then widens the extent by its x, y.
void addScenePoint(ScenePoint point, ColorCode color);

// Appends a copy of segment with its own colour replaced by color, then widens the extent by
// a.x, a.y and after that by b.x, b.y.
void addSceneSegment(SceneSegment segment, ColorCode color);

// Appends a copy of line, or of circle, with its colour replaced by color; the extent stays.
void addSceneLine(SceneLine line, ColorCode color);
void addSceneCircle(SceneCircle circle, ColorCode color);

// Empties the segments, lines and circles, for a picture that replaces the last one.
void clearSceneDrawings();

// Empties the whole store, side text included, and returns the extent to its start.
void clearScene();
