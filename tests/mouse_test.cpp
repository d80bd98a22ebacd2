// Mouse navigation, by calling the callbacks in a real GL context and reading the projection.
#include "gl_harness.hpp"

#include "viewer/viewer.hpp"

namespace {

class Mouse : public testing::Test {
  protected:
    void SetUp() override
    {
        onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0); // any release clears every flag
        onReshape(1024, 700);
    }

    // P * T(pivot) * transform * T(-pivot): a step about the pivot, after the perspective.
    static Matrix aboutPivot(const Matrix& before, const Matrix& transform)
    {
        return multiply(before, multiply(translation(viewCenterX, viewCenterY, eyeDistance),
                                         multiply(transform, translation(-viewCenterX, -viewCenterY, -eyeDistance))));
    }

    static Matrix projection() { return currentMatrix(GL_PROJECTION_MATRIX); }

    static std::array<double, 3> unproject(int x, int y)
    {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        const Matrix mv = currentMatrix(GL_MODELVIEW_MATRIX);
        const Matrix p = currentMatrix(GL_PROJECTION_MATRIX);
        std::array<double, 3> o{};
        gluUnProject(x, viewport[3] - y - 1, 0, mv.data(), p.data(), viewport, &o[0], &o[1], &o[2]);
        return o;
    }
};

TEST_F(Mouse, RightDragRotatesByTheStepLengthOverTheWidthPlusOne)
{
    struct Step {
        int dx, dy;
        double degrees;
    };
    for (const Step step : {Step{3, 4, -0.87890625}, Step{-3, 4, 0.87890625}, Step{0, 5, 0.87890625},
                            Step{0, -5, 0.87890625}}) {
        onReshape(1023, 700);
        const Matrix before = projection();
        onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 300);
        onMotion(300 + step.dx, 300 + step.dy);
        onMouse(GLUT_RIGHT_BUTTON, GLUT_UP, 300 + step.dx, 300 + step.dy);
        EXPECT_TRUE(matricesNear(projection(), aboutPivot(before, rotationZ(step.degrees))))
            << step.dx << ", " << step.dy;
    }
}

TEST_F(Mouse, MiddleDragOrLeftAndRightTogetherZoom)
{
    const Matrix before = projection();
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 500, 300);
    onMotion(500, 321);
    const Matrix afterDown = projection();
    EXPECT_TRUE(matricesNear(afterDown, aboutPivot(before, scaling(1.0100502f))));
    onMotion(500, 300);
    EXPECT_TRUE(matricesNear(projection(), aboutPivot(afterDown, scaling(0.99004984f))));

    onMouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 500, 300);
    onReshape(1024, 700);
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 500, 300);
    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 500, 300);
    EXPECT_TRUE(leftButtonDown && rightButtonDown);
    onMotion(510, 321); // a zoom: only dy counts
    EXPECT_TRUE(matricesNear(projection(), aboutPivot(before, scaling(1.0100502f))));
}

TEST_F(Mouse, LeftDragTranslatesByCursorPointMinusAnchor)
{
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
    const std::array<double, 3> cursor = unproject(420, 310);
    mouseAnchor = ScenePoint{float(cursor[0] - 0.5), float(cursor[1] + 1), float(cursor[2])};
    const Matrix before = projection();
    onMotion(420, 310);
    EXPECT_TRUE(matricesNear(projection(), multiply(before, translation(0.5, -1, 0))));
}

TEST_F(Mouse, PanKeepsTheAnchorUnderTheCursor)
{
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
    const ScenePoint anchor = mouseAnchor;
    for (auto [x, y] : {std::pair{430, 320}, {480, 260}, {200, 500}}) {
        onMotion(x, y);
        const auto under = unproject(x, y);
        EXPECT_NEAR(under[0], anchor.x, 1e-4);
        EXPECT_NEAR(under[1], anchor.y, 1e-4);
        EXPECT_NEAR(under[2], anchor.z, 1e-4);
    }
}

TEST_F(Mouse, PressesAddFlagsAndAnyReleaseClearsThemAll)
{
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 20);
    EXPECT_TRUE(leftButtonDown && !middleButtonDown && !rightButtonDown);
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 11, 21);
    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 12, 22);
    EXPECT_TRUE(leftButtonDown && middleButtonDown && rightButtonDown);
    EXPECT_EQ(mouseLastX, 12);
    EXPECT_EQ(mouseLastY, 22);
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 50, 60); // one release, while two others are held
    EXPECT_FALSE(leftButtonDown || middleButtonDown || rightButtonDown);
    EXPECT_EQ(mouseLastX, 12) << "a release keeps the last position";

    // Motion with no flag set: nothing changes, not even the last position.
    const Matrix before = projection();
    onMotion(80, 90);
    EXPECT_EQ(projection(), before);
    EXPECT_EQ(mouseLastX, 12);
    EXPECT_EQ(mouseLastY, 22);
}

TEST_F(Mouse, ButtonsOutsideTheTableMoveAnchorAndPositionButSetNoFlag)
{
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    const ScenePoint first = mouseAnchor;
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 100, 100);
    onMouse(3, GLUT_DOWN, 700, 500); // the wheel
    EXPECT_FALSE(leftButtonDown || middleButtonDown || rightButtonDown);
    EXPECT_EQ(mouseLastX, 700);
    EXPECT_EQ(mouseLastY, 500);
    EXPECT_NE(mouseAnchor.x, first.x);
    EXPECT_EQ(mouseAnchor.color, 9);
}

TEST_F(Mouse, MotionWithoutMovementDoesNothing)
{
    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 300);
    const Matrix before = projection();
    onMotion(300, 300);
    EXPECT_EQ(projection(), before);
}

TEST_F(Mouse, NavigationAccumulatesUntilAReshapeDiscardsIt)
{
    const Matrix start = projection();
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    onMotion(350, 320);
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 350, 320);
    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 350, 320);
    onMotion(300, 350);
    EXPECT_FALSE(matricesNear(projection(), start));
    onReshape(1024, 700);
    EXPECT_EQ(projection(), start);
}

// In a zero-width window no cursor point exists: a press keeps the old anchor and a pan step is
// skipped, instead of using undefined values.
TEST_F(Mouse, WithoutACursorPointTheAnchorStaysAndPanIsSkipped)
{
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 100, 100);
    const ScenePoint anchor = mouseAnchor;
    onReshape(0, 700);
    const Matrix before = projection();
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 400);
    EXPECT_EQ(mouseAnchor.x, anchor.x);
    EXPECT_EQ(mouseAnchor.y, anchor.y);
    EXPECT_TRUE(leftButtonDown);
    onMotion(420, 400);
    EXPECT_EQ(projection(), before);
    EXPECT_EQ(mouseLastX, 400) << "a skipped step keeps the last position";
}

} // namespace
