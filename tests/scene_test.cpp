// The scene store (copies, colours, the extent and the list limits) and the hand-off of records.
#include "scene/from_records.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

class Scene : public testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        clearScene();
        sceneLimits = SceneLimits{};
    }
    static void expectExtent(float minX, float minY, float maxX, float maxY)
    {
        const SceneExtent& e = sceneExtent;
        EXPECT_TRUE(e.min.x == minX && e.min.y == minY && e.max.x == maxX && e.max.y == maxY)
            << e.min.x << ' ' << e.max.y;
    }
};

// The extent starts at min (1024, 700), max (0, 0) and each bound only moves outwards, by x and
// y alone; a NaN leaves its axis alone.
TEST_F(Scene, ExtentWidensFromItsStartValues)
{
    expectExtent(1024, 700, 0, 0);
    addScenePoint({2.6f, 2.6f, 0}, 9);
    expectExtent(2.6f, 2.6f, 2.6f, 2.6f);
    reset();
    addScenePoint({2000, 800, 50}, 9);
    addScenePoint({1500, 900, -50}, 9);
    addScenePoint({std::nanf(""), 950, 0}, 9);
    expectExtent(1024, 700, 2000, 950);
    reset();
    addScenePoint({-5, -7, 0}, 9);
    expectExtent(-5, -7, 0, 0);
}

TEST_F(Scene, AFullListRefusesTheAddAndKeepsTheExtent)
{
    sceneLimits = SceneLimits{1, 1};
    addScenePoint({1, 1, 0}, 9);
    addSceneSegment({{1, 1, 0}, {2, 2, 0}, 9}, 0);
    try {
        addScenePoint({-50, 900, 0}, 9);
        FAIL() << "no length error";
    } catch (const std::length_error& e) {
        EXPECT_STREQ(e.what(), "list<T> too long");
    }
    EXPECT_THROW(addSceneSegment({{-50, -50, 0}, {900, 900, 0}, 9}, 0), std::length_error);
    EXPECT_TRUE(scenePoints.size() == 1 && sceneSegments.size() == 1);
    expectExtent(1, 1, 2, 2);
}

// 3D records keep their z in the scene; the pair's segment lies at z = 0, red, its ends black.
TEST_F(Scene, RecordsHandedOverInOrderAndThePairAtZZero)
{
    const Point3 records[] = {{1, 2, 3}, {9, 9, 9}, {1, 2, 4.5}};
    addToScene(records, 3, &records[0], &records[2]);
    ASSERT_EQ(scenePoints.size(), 3u);
    auto p = scenePoints.begin();
    for (const Point3& record : records) {
        EXPECT_TRUE(p->x == record.x && p->y == record.y && p->z == record.z && p->color == 9) << record.z;
        ++p;
    }
    const SceneSegment& pair = sceneSegments.back();
    EXPECT_TRUE(pair.color == 0 && pair.a.z == 0 && pair.b.z == 0 && pair.a.x == 1 && pair.b.y == 2 &&
                pair.a.color == 9);
    reset();
    addToScene(records, 1, static_cast<const Point3*>(nullptr), static_cast<const Point3*>(nullptr));
    EXPECT_TRUE(scenePoints.size() == 1 && sceneSegments.empty()) << "no pair, no segment";
}

// As one run of dots over the vertices, the records land where addToScene's points do, widen the
// extent as they do, and tell a drawing that keeps the vertices to take them again.
TEST_F(Scene, RecordsAsOneRunMatchTheRecordsAsPoints)
{
    const Point3 records[] = {{1, 2, 3}, {9, -9, 9}, {1, 2, 4.5}};
    addToScene(records, 3, &records[0], &records[2]);
    std::vector<float> expected;
    for (const ScenePoint& p : scenePoints)
        expected.insert(expected.end(), {p.x, p.y, p.z});
    reset();
    const unsigned version = sceneVerticesVersion;
    addRunToScene(records, 3, &records[0], &records[2]);
    EXPECT_EQ(sceneVertices, expected);
    ASSERT_EQ(sceneMarkRuns.size(), 1u);
    const ScenePointRun& run = sceneMarkRuns[0];
    EXPECT_TRUE(run.first == 0 && run.count == 3 && run.color == colorBlack && run.mark == SceneMark::dot);
    EXPECT_TRUE(scenePoints.empty() && sceneSegments.size() == 1 && sceneVerticesVersion != version);
    expectExtent(1, -9, 9, 2);
}

// A placement moves and scales each axis before the rounding to float.
TEST(ScenePointOf, PlacesThenRounds)
{
    ScenePlacement at;
    at.origin[0] = 1, at.origin[1] = -2, at.origin[2] = 10, at.scale = 0.5;
    const ScenePoint p = scenePointOf(Point3{5, 2, 4}, at);
    EXPECT_TRUE(p.x == 2 && p.y == 2 && p.z == -3 && p.color == 9);
    const ScenePoint q = scenePointOf(Point2{0.1, 1e300});
    EXPECT_TRUE(q.x == 0.1f && std::isinf(q.y) && q.z == 0);
}

} // namespace
