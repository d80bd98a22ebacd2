// The viewer in a real GL context under a virtual X server: the window of closest2d_fixed14, its
// camera and matrices, colours, and mouse navigation through the callbacks.
#include "sets/program_sets.hpp"
#include "viewer/viewer.hpp"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using Matrix = std::array<double, 16>; // column-major, as GL stores it

Matrix startupProjection; // as openViewer left it, before GLUT's first reshape
GLint startupMatrixMode;

Matrix operator*(const Matrix& a, const Matrix& b)
{
    Matrix r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                r[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return r;
}

Matrix translation(double x, double y, double z) { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}; }
Matrix scaling(double s) { return {s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1}; }
Matrix rotationZ(double degrees)
{
    const double c = std::cos(degrees * std::numbers::pi / 180), s = std::sin(degrees * std::numbers::pi / 180);
    return {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

// 60 degrees vertical field of view, near 1, far 1000.
Matrix perspective(double aspect)
{
    const double f = 1 / std::tan(std::numbers::pi / 6);
    return {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, -1001.0 / 999, -1, 0, 0, -2000.0 / 999, 0};
}

Matrix current(GLenum which)
{
    Matrix m;
    glGetDoublev(which, m.data());
    return m;
}

// GL keeps single-precision matrices: compare to a relative 1e-6 of the largest entry.
testing::AssertionResult near(const Matrix& actual, const Matrix& expected)
{
    double scale = 0;
    for (double v : expected)
        scale = std::fmax(scale, std::fabs(v));
    for (int i = 0; i < 16; ++i)
        if (std::fabs(actual[i] - expected[i]) > 1e-6 * scale)
            return testing::AssertionFailure() << "entry " << i << ": " << actual[i] << " != " << expected[i];
    return testing::AssertionSuccess();
}

// A step about the pivot (viewCenterX, viewCenterY, eyeDistance), after what was there before.
Matrix aboutPivot(const Matrix& before, const Matrix& step)
{
    return before * translation(viewCenterX, viewCenterY, eyeDistance) * step *
           translation(-viewCenterX, -viewCenterY, -eyeDistance);
}

class Viewer : public testing::Test {
  protected:
    void SetUp() override
    {
        onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0); // any release clears every flag
        onReshape(1024, 700);
    }
};

TEST_F(Viewer, StartUpPlacesTheCameraAndReshapeLeavesTheProjectionCurrent)
{
    EXPECT_TRUE(viewCenterX == 11.0f && viewCenterY == 4.4f && eyeDistance == 22.0f);
    EXPECT_EQ(startupMatrixMode, GL_MODELVIEW);
    EXPECT_TRUE(near(startupProjection, perspective(1) * translation(-11, -4.4f, -22)));
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_TRUE(near(current(GL_MODELVIEW_MATRIX), translation(-11, -4.4f, -22)));
    EXPECT_TRUE(near(current(GL_PROJECTION_MATRIX), perspective(float(1024.0 / 700))));
    for (GLenum capability : {GL_DEPTH_TEST, GL_BLEND, GL_LIGHTING, GL_POINT_SMOOTH, GL_LINE_SMOOTH})
        EXPECT_FALSE(glIsEnabled(capability)) << capability;

    glRotatef(30, 0, 0, 1); // a reshape discards any change, and takes height 0 as 1
    onReshape(500, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(viewport[2] == 500 && viewport[3] == 1);
    EXPECT_TRUE(near(current(GL_PROJECTION_MATRIX), perspective(500)));
}

TEST(Camera, CentreAndSpansOfAnExtent)
{
    struct Case {
        float minX, minY, maxX, maxY, centerX, centerY, eye;
    };
    for (const Case c : {Case{0, 0, 22, 8.8f, 11, 4.4f, 22}, Case{0, 0, 2, 10, 1, 5, 10}, // spanX * 5 == spanY
                         Case{0, 0, 3, 10, 1.5f, 5, 3}, Case{-10, 0, 10, 1, 0, 0.5f, 20},     // a span is max + |min|
                         Case{0, -4, 2, 10, 1, 3, 14}, Case{1024, 700, 0, 0, 512, 350, 1024}}) {
        const SceneExtent kept = sceneExtent;
        sceneExtent.min.x = c.minX, sceneExtent.min.y = c.minY, sceneExtent.max.x = c.maxX, sceneExtent.max.y = c.maxY;
        placeCamera();
        EXPECT_TRUE(viewCenterX == c.centerX && viewCenterY == c.centerY && eyeDistance == c.eye) << c.minY;
        sceneExtent = kept;
        placeCamera();
    }
}

// Codes outside the table set nothing: the colour set last carries over.
TEST_F(Viewer, ColourCodesOutsideTheTableKeepTheCurrentColour)
{
    for (int code : {-1, 10}) {
        setColor(2);
        setColor(code);
        float rgba[4];
        glGetFloatv(GL_CURRENT_COLOR, rgba);
        EXPECT_TRUE(rgba[0] == 0 && rgba[1] == 0 && rgba[2] == 1) << code;
    }
}

// A drag from (300, 300) in a window 1023 pixels wide, and the step it multiplies on about the
// pivot: the right button rotates by the step's length over the width plus one (clockwise when
// dragging right), the middle button or left and right together zoom by exp(dy / 2100).
TEST_F(Viewer, DragsRotateAndZoomAboutThePivot)
{
    struct Drag {
        std::vector<int> buttons;
        int dx, dy;
        Matrix step;
    };
    const double turn = 5 / 1024.0 * 180;
    for (const Drag& d : {Drag{{GLUT_RIGHT_BUTTON}, 3, 4, rotationZ(-turn)}, Drag{{GLUT_RIGHT_BUTTON}, -3, 4, rotationZ(turn)},
                          Drag{{GLUT_RIGHT_BUTTON}, 0, -5, rotationZ(turn)},
                          Drag{{GLUT_MIDDLE_BUTTON}, 0, 21, scaling(std::exp(0.01))},
                          Drag{{GLUT_MIDDLE_BUTTON}, 7, -21, scaling(std::exp(-0.01))},
                          Drag{{GLUT_LEFT_BUTTON, GLUT_RIGHT_BUTTON}, 10, 21, scaling(std::exp(0.01))}}) {
        onReshape(1023, 700);
        const Matrix before = current(GL_PROJECTION_MATRIX);
        for (int button : d.buttons)
            onMouse(button, GLUT_DOWN, 300, 300);
        onMotion(300, 300); // no movement, no step
        onMotion(300 + d.dx, 300 + d.dy);
        onMouse(d.buttons[0], GLUT_UP, 0, 0);
        EXPECT_TRUE(near(current(GL_PROJECTION_MATRIX), aboutPivot(before, d.step))) << d.dx << ", " << d.dy;
    }
}

TEST_F(Viewer, PressesAddFlagsAndAnyReleaseClearsThemAll)
{
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 20);
    EXPECT_TRUE(leftButtonDown && !middleButtonDown && !rightButtonDown);
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 11, 21);
    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 12, 22);
    EXPECT_TRUE(leftButtonDown && middleButtonDown && rightButtonDown);
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 50, 60); // one release, while two others are held
    EXPECT_FALSE(leftButtonDown || middleButtonDown || rightButtonDown);
    onMouse(3, GLUT_DOWN, 700, 500); // the wheel: moves the position and the anchor, sets no flag
    EXPECT_FALSE(leftButtonDown || middleButtonDown || rightButtonDown);
    EXPECT_TRUE(mouseLastX == 700 && mouseLastY == 500);

    const Matrix before = current(GL_PROJECTION_MATRIX); // motion with no flag: nothing changes
    onMotion(80, 90);
    EXPECT_EQ(current(GL_PROJECTION_MATRIX), before);
    EXPECT_TRUE(mouseLastX == 700 && mouseLastY == 500);
}

// A framed box: its middle at the centre of the viewport (the window less the band and the
// column), 80% of it on the box's larger side for the viewport's aspect, seen from at least 2 in
// front of the box's plane; the pivot keeps its place as seen from the camera.
TEST_F(Viewer, LookAtBoxFramesTheBoxInThePicture)
{
    struct Case {
        int band, column;
        float minX, minY, maxX, maxY, z;
        double fill;
    };
    for (const Case c : {Case{0, 0, 0, 0, 22, 8.8f, 0, 0.8}, Case{82, 567, 10, 0, 12, 30, -5, 0.8},
                         Case{82, 567, 5, 5, 5, 5, -3, 0}}) {
        textBandHeight = c.band, textColumnWidth = c.column;
        onReshape(1024, 700);
        lookAtBox(c.minX, c.minY, c.maxX, c.maxY, c.z);
        const Matrix model = current(GL_MODELVIEW_MATRIX), projection = current(GL_PROJECTION_MATRIX);
        GLint v[4];
        glGetIntegerv(GL_VIEWPORT, v);
        double a[3], b[3];
        gluProject(c.minX, c.minY, c.z, model.data(), projection.data(), v, &a[0], &a[1], &a[2]);
        gluProject(c.maxX, c.maxY, c.z, model.data(), projection.data(), v, &b[0], &b[1], &b[2]);
        EXPECT_TRUE(v[2] == 1024 - c.column && v[3] == 700 - c.band) << c.band;
        EXPECT_NEAR(std::fabs(a[0] + b[0] - v[2]) + std::fabs(a[1] + b[1] - v[3]), 0, 0.02) << c.band;
        EXPECT_NEAR(std::max((b[0] - a[0]) / v[2], (b[1] - a[1]) / v[3]), c.fill, 1e-4) << c.band;
        EXPECT_LE(model[14], -(c.z + 2) + 1e-6);
        EXPECT_NEAR(viewCenterX / eyeDistance, 0.5, 1e-6);
    }
    textBandHeight = textColumnWidth = 0;
    resetView();
}

// In a zero-width window no cursor point exists: a press keeps the old anchor and a pan step is
// skipped, instead of using undefined values.
TEST_F(Viewer, WithoutACursorPointTheAnchorStaysAndPanIsSkipped)
{
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 100, 100);
    const ScenePoint anchor = mouseAnchor;
    onReshape(0, 700);
    const Matrix before = current(GL_PROJECTION_MATRIX);
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 400);
    EXPECT_TRUE(mouseAnchor.x == anchor.x && mouseAnchor.y == anchor.y && leftButtonDown);
    onMotion(420, 400);
    EXPECT_EQ(current(GL_PROJECTION_MATRIX), before);
    EXPECT_EQ(mouseLastX, 400);
}

} // namespace

// Opens the viewer on the scene of closest2d_fixed14 and lets GLUT deliver its first reshape,
// then runs the tests in that GL context.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (const Point2& p : fixedSet14)
        addScenePoint({static_cast<float>(p.x), static_cast<float>(p.y), 0}, 9);
    openViewer(argc, argv);
    startupProjection = current(GL_PROJECTION_MATRIX);
    glGetIntegerv(GL_MATRIX_MODE, &startupMatrixMode);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    for (int ms = glutGet(GLUT_ELAPSED_TIME); current(GL_PROJECTION_MATRIX) == startupProjection;) {
        if (glutGet(GLUT_ELAPSED_TIME) - ms > 60000) // a hang guard
            return std::fprintf(stderr, "The window never received its first reshape.\n"), 1;
        glutMainLoopEvent();
    }
    return RUN_ALL_TESTS();
}
