// The window's GL state, camera and frames, in a real GL context.
#include "gl_harness.hpp"

#include "viewer/viewer.hpp"

#include <vector>

namespace {

constexpr int width = 1024;
constexpr int height = 700;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) { return out << '(' << c.r << ", " << c.g << ", " << c.b << ')'; }

// A frame drawn into the back buffer and read back; rows from the bottom, as GL counts them.
struct Frame {
    std::vector<unsigned char> rgb = std::vector<unsigned char>(3 * width * height);

    Frame()
    {
        drawScene();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    }
    Rgb at(int x, int y) const
    {
        const unsigned char* p = &rgb[3 * (y * width + x)];
        return {p[0], p[1], p[2]};
    }
    // Whether a pixel of the colour lies within `reach` pixels of (x, y).
    bool near(double x, double y, Rgb colour, int reach = 2) const
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (at(static_cast<int>(x) + dx, static_cast<int>(y) + dy) == colour)
                    return true;
        return false;
    }
};

constexpr Rgb background{230, 230, 204};
constexpr Rgb black{0, 0, 0};
constexpr Rgb red{255, 0, 0};
constexpr Rgb green{0, 255, 0};
constexpr Rgb blue{0, 0, 255};

// Window position of a world point through the current matrices.
std::array<double, 2> project(double x, double y, double z)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Matrix modelview = currentMatrix(GL_MODELVIEW_MATRIX);
    const Matrix projection = currentMatrix(GL_PROJECTION_MATRIX);
    double wx, wy, wz;
    gluProject(x, y, z, modelview.data(), projection.data(), viewport, &wx, &wy, &wz);
    return {wx, wy};
}

class Viewer : public testing::Test {
  protected:
    void SetUp() override { onReshape(width, height); }
};

TEST_F(Viewer, StartUpPlacesTheCameraFromTheExtent)
{
    EXPECT_EQ(viewCenterX, 11.0f);
    EXPECT_EQ(viewCenterY, 4.4f);
    EXPECT_EQ(eyeDistance, 22.0f);
    // Before the first reshape: perspective with aspect 1 and the look-at, in the projection.
    EXPECT_EQ(startupMatrixMode, GL_MODELVIEW);
    EXPECT_TRUE(matricesNear(startupProjection, multiply(perspective(1), translation(-11, -4.4f, -22))));
}

TEST_F(Viewer, ReshapeLeavesTheProjectionCurrentAndTheTranslationInTheModelview)
{
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_TRUE(matricesNear(currentMatrix(GL_MODELVIEW_MATRIX), translation(-11, -4.4f, -22)));
    EXPECT_TRUE(matricesNear(currentMatrix(GL_PROJECTION_MATRIX), perspective(float(1024.0 / 700))));
    for (GLenum capability : {GL_DEPTH_TEST, GL_BLEND, GL_LIGHTING, GL_POINT_SMOOTH, GL_LINE_SMOOTH})
        EXPECT_FALSE(glIsEnabled(capability)) << capability;
}

TEST_F(Viewer, ReshapeWithHeightZeroTakesHeightOne)
{
    onReshape(500, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 500);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_TRUE(matricesNear(currentMatrix(GL_PROJECTION_MATRIX), perspective(500)));
}

TEST_F(Viewer, ReshapeDiscardsAnyChangeOfTheProjection)
{
    glTranslatef(5, 6, 7);
    glRotatef(30, 0, 0, 1);
    onReshape(width, height);
    EXPECT_TRUE(matricesNear(currentMatrix(GL_PROJECTION_MATRIX), perspective(float(1024.0 / 700))));
}

TEST(Camera, WorkedExamples)
{
    const auto camera = [](float minX, float minY, float maxX, float maxY) {
        SceneExtent e;
        e.min.x = minX, e.min.y = minY, e.max.x = maxX, e.max.y = maxY;
        return cameraFor(e);
    };
    Camera c = camera(0, 0, 22, 8.8f);
    EXPECT_EQ(c.centerX, 11);
    EXPECT_EQ(c.centerY, 4.4f);
    EXPECT_EQ(c.eyeDistance, 22);
    EXPECT_EQ(camera(0, 0, 2, 10).eyeDistance, 10) << "spanX * 5 == spanY takes spanY";
    EXPECT_EQ(camera(0, 0, 3, 10).eyeDistance, 3) << "the factor 5 is only in the comparison";
    c = camera(-10, 0, 10, 1);
    EXPECT_EQ(c.centerX, 0);
    EXPECT_EQ(c.eyeDistance, 20) << "a span is max + |min|";
    c = cameraFor(SceneExtent{});
    EXPECT_EQ(c.centerX, 512);
    EXPECT_EQ(c.centerY, 350);
    EXPECT_EQ(c.eyeDistance, 1024);
    EXPECT_EQ(camera(0, 0, std::nanf(""), 10).eyeDistance, 10) << "a NaN comparison takes spanY";
}

TEST_F(Viewer, FrameShowsBlackPointsAndTheRedPairOnTheBackground)
{
    const Frame frame;
    EXPECT_EQ(frame.at(0, 0), background);
    EXPECT_EQ(frame.at(width - 1, height - 1), background);
    int blackPixels = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            blackPixels += frame.at(x, y) == black;
    EXPECT_EQ(blackPixels, 14 * 16) << "14 dots of 4 x 4 pixels";
    for (const ScenePoint& p : scenePoints) {
        const auto [x, y] = project(p.x, p.y, p.z);
        // A 4-pixel dot centred on the projected point covers the pixels 2 either side.
        EXPECT_EQ(frame.at(int(x - 1.5), int(y - 1.5)), black) << p.x << ", " << p.y;
        EXPECT_EQ(frame.at(int(x + 1.5), int(y + 1.5)), black) << p.x << ", " << p.y;
    }
    // The pair (15.6, 2.8) - (17.6, 3.4): red between, black (points on top) at the ends.
    const auto a = project(15.6, 2.8, 0);
    const auto b = project(17.6, 3.4, 0);
    EXPECT_TRUE(frame.near((a[0] + b[0]) / 2, (a[1] + b[1]) / 2, red, 1));
    EXPECT_TRUE(frame.near(a[0] + (b[0] - a[0]) / 4, a[1] + (b[1] - a[1]) / 4, red, 1));
    EXPECT_EQ(frame.at(int(a[0]), int(a[1])), black);
    EXPECT_EQ(frame.at(int(b[0]), int(b[1])), black);
}

// A circle, a line, a segment and a point, two of them with codes outside the table, which
// take the colour set last before them.
TEST_F(Viewer, CirclesLinesAndColoursThatCarryOver)
{
    const auto points = scenePoints;
    const auto segments = sceneSegments;
    scenePoints.clear();
    sceneSegments.clear();
    sceneCircles.push_back({{11, 4.4f, 0}, 3, 2});               // blue
    sceneLines.push_back({{11, 1, 0}, {0.5f, 0, 0}, 42});        // takes blue from the circle
    sceneSegments.push_back({{5, 7, 0}, {8, 7, 0}, 1});          // green
    scenePoints.push_back({2, 7, 0, -1});                        // takes green from the segment
    const Frame frame;
    sceneCircles.clear();
    sceneLines.clear();
    scenePoints = points;
    sceneSegments = segments;

    for (int i = 0; i < 8; ++i) { // vertices of the loop, counter-clockwise from (14, 4.4)
        const double theta = i * 2 * std::numbers::pi / 8;
        const auto v = project(11 + 3 * std::cos(theta), 4.4 + 3 * std::sin(theta), 0);
        EXPECT_TRUE(frame.near(v[0], v[1], blue)) << "circle at angle " << theta;
    }
    for (double x : {-10.0, 0.0, 30.0}) { // the line spans the window at y = 1
        const auto v = project(x, 1, 0);
        EXPECT_TRUE(frame.near(v[0], v[1], blue, 1)) << "line at x " << x;
    }
    const auto s = project(6.5, 7, 0);
    EXPECT_TRUE(frame.near(s[0], s[1], green, 1));
    const auto p = project(2, 7, 0);
    EXPECT_EQ(frame.at(int(p[0]), int(p[1])), green);
    EXPECT_EQ(frame.at(int(p[0] + 1.5), int(p[1] + 1.5)), green);
}

} // namespace
