// The scene store: copies in order, colours replaced, the extent's non-neutral start and its
// four independent tests, and the list limits.
#include "scene/scene.hpp"

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
        scenePoints.clear();
        sceneSegments.clear();
        sceneExtent = SceneExtent{};
        sceneLimits = SceneLimits{};
    }
    static void expectExtent(float minX, float minY, float maxX, float maxY)
    {
        EXPECT_EQ(sceneExtent.min.x, minX);
        EXPECT_EQ(sceneExtent.min.y, minY);
        EXPECT_EQ(sceneExtent.max.x, maxX);
        EXPECT_EQ(sceneExtent.max.y, maxY);
    }
};

TEST_F(Scene, StartsEmptyWithTheWindowSizedExtent)
{
    EXPECT_TRUE(scenePoints.empty() && sceneSegments.empty() && sceneLines.empty() && sceneCircles.empty());
    expectExtent(1024, 700, 0, 0);
    const ScenePoint p;
    EXPECT_EQ(p.color, 9);
    EXPECT_EQ((ScenePoint{1, 2, 3}.color), 9);
}

TEST_F(Scene, FirstPointSetsBothBounds)
{
    addScenePoint({2.6f, 2.6f, 0}, 9);
    expectExtent(2.6f, 2.6f, 2.6f, 2.6f);
}

TEST_F(Scene, BoundsOnlyMoveOutwardsFromTheirStartValues)
{
    addScenePoint({2000, 800, 0}, 9);
    addScenePoint({1500, 900, 0}, 9);
    expectExtent(1024, 700, 2000, 900); // every x above 1024 leaves min.x at 1024
    sceneExtent = SceneExtent{};
    addScenePoint({-5, -7, 0}, 9);
    addScenePoint({-1, -2, 0}, 9);
    expectExtent(-5, -7, 0, 0); // all negative leaves max at (0, 0)
}

TEST_F(Scene, PointsAreCopiedInOrderWithTheColourArgument)
{
    addScenePoint({5, 3, 7, 4}, 9);
    addScenePoint({5, 3, 7, 4}, 2);
    ASSERT_EQ(scenePoints.size(), 2u);
    EXPECT_EQ(scenePoints.front().color, 9);
    EXPECT_EQ(scenePoints.front().z, 7);
    EXPECT_EQ(scenePoints.back().color, 2);
    expectExtent(5, 3, 5, 3); // z never enters the extent
}

TEST_F(Scene, SegmentWidensByItsFirstEndThenItsSecond)
{
    addSceneSegment({{1, 2, 0, 5}, {-3, 9, 0, 6}, 9}, 0);
    expectExtent(-3, 2, 1, 9);
    const SceneSegment& stored = sceneSegments.back();
    EXPECT_EQ(stored.color, 0);
    EXPECT_EQ(stored.a.color, 5);
    EXPECT_EQ(stored.b.color, 6);
}

TEST_F(Scene, NaNLeavesItsAxisAlone)
{
    addScenePoint({3, 4, 0}, 9);
    addScenePoint({std::nanf(""), 10, 0}, 9);
    EXPECT_EQ(scenePoints.size(), 2u);
    expectExtent(3, 4, 3, 10);
}

TEST_F(Scene, AFullListRefusesTheAddAndKeepsTheExtent)
{
    sceneLimits.points = 2;
    sceneLimits.segments = 1;
    addScenePoint({1, 1, 0}, 9);
    addScenePoint({2, 2, 0}, 9);
    addSceneSegment({{1, 1, 0}, {2, 2, 0}, 9}, 0);
    try {
        addScenePoint({-50, 900, 0}, 9);
        FAIL() << "no length error";
    } catch (const std::length_error& e) {
        EXPECT_STREQ(e.what(), "list<T> too long");
    }
    EXPECT_THROW(addSceneSegment({{-50, -50, 0}, {900, 900, 0}, 9}, 0), std::length_error);
    EXPECT_EQ(scenePoints.size(), 2u);
    EXPECT_EQ(sceneSegments.size(), 1u);
    expectExtent(1, 1, 2, 2);
}

} // namespace
