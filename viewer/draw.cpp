// Drawing the scene: the point runs, circles, lines, segments, points, then the mark runs, so
// later primitives cover earlier ones (no depth test), and the text last: over the picture, or in
// the band at the top and the column at the right where the window keeps them. The runs' vertices
// are handed to the GL once, into a buffer filled again when they change; every frame re-sends
// the rest in immediate mode. A stroke
// wider than the GL line, dashed, or a mark's outline is drawn as quads in window pixels (WebGL
// draws every line one pixel wide), at where the matrices put its points.
#define GL_GLEXT_PROTOTYPES // glGenBuffers and the other buffer calls of GL 1.5
#include "viewer/platform.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Rgb {
    float r, g, b;
};

// By colour code, in the order scene.hpp names them.
constexpr Rgb colorTable[] = {
    {1, 0, 0},       // colorRed
    {0, 1, 0},       // colorGreen
    {0, 0, 1},       // colorBlue
    {1, 1, 0},       // colorYellow
    {1, 0.5f, 0},    // colorOrange
    {1, 0, 1},       // colorMagenta
    {0, 1, 1},       // colorCyan
    {0.5f, 0, 0.5f}, // colorPurple
    {1, 1, 1},       // colorWhite
    {0, 0, 0},       // colorBlack
};
static_assert(std::size(colorTable) == colorCount);

void vertex(const ScenePoint& p) { glVertex3f(p.x, p.y, p.z); }

// Pixels of a size the scene asks for, as drawn.
float scaled(float size) { return size * drawScale; }

// A stroke's pixels as drawn.
SceneStroke scaled(const SceneStroke& s) { return {scaled(s.width), scaled(s.dash), scaled(s.endSize)}; }

} // namespace

float drawScale = 1;

// A code outside the table and sceneMoreColors sets nothing: the colour last set carries over,
// even across frames.
void setColor(int code)
{
    if (code >= colorCount && code - colorCount < static_cast<int>(sceneMoreColors.size())) {
        const SceneRgb& c = sceneMoreColors[static_cast<std::size_t>(code - colorCount)];
        glColor3f(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f);
    }
    if (code < 0 || code >= static_cast<int>(std::size(colorTable)))
        return;
    const Rgb& c = colorTable[code];
    glColor3f(c.r, c.g, c.b);
}

namespace {

bool plain(const SceneStroke& stroke) { return stroke.width <= 0 && stroke.dash <= 0; }

// Window pixels of the picture's points under the current matrices, and drawing in them.
class Pixels {
public:
    Pixels()
    {
        double projection[16], modelview[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glGetIntegerv(GL_VIEWPORT, viewport);
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column) {
                double sum = 0;
                for (int k = 0; k < 4; ++k)
                    sum += projection[k * 4 + row] * modelview[column * 4 + k];
                matrix[column * 4 + row] = sum;
            }
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
    }
    ~Pixels()
    {
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(static_cast<GLenum>(mode));
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    // The window pixel of p, or false when p is not in front of the eye.
    bool at(double x, double y, double z, double& px, double& py) const
    {
        const double* m = matrix;
        const double w = m[3] * x + m[7] * y + m[11] * z + m[15];
        if (!(w > 1e-9))
            return false;
        px = viewport[0] + (m[0] * x + m[4] * y + m[8] * z + m[12]) / w * viewport[2] / 2 + viewport[2] / 2.0;
        py = viewport[1] + (m[1] * x + m[5] * y + m[9] * z + m[13]) / w * viewport[3] / 2 + viewport[3] / 2.0;
        return true;
    }
    bool at(const ScenePoint& p, double& px, double& py) const { return at(p.x, p.y, p.z, px, py); }

    // From (x0, y0) to (x1, y1), width pixels across, dashed from phase pixels into the pattern
    // when dash > 0; returns the phase at the far end. Only what can reach the viewport is drawn.
    double stroke(double x0, double y0, double x1, double y1, const SceneStroke& s, double phase = 0) const
    {
        const double dx = x1 - x0, dy = y1 - y0, length = std::hypot(dx, dy);
        if (!(length > 0) || !std::isfinite(length))
            return phase;
        // Clipped to the viewport widened by a dash and the width (Liang and Barsky).
        const double margin = 2 * s.dash + s.width + 2;
        double from = 0, to = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x0 - (viewport[0] - margin), viewport[0] + viewport[2] + margin - x0,
                             y0 - (viewport[1] - margin), viewport[1] + viewport[3] + margin - y0};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return phase + length;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                from = std::max(from, t);
            else
                to = std::min(to, t);
        }
        const double half = std::max<double>(s.width, 1) / 2, nx = -dy / length * half, ny = dx / length * half;
        const auto quad = [&](double a, double b) { // a and b in pixels from (x0, y0)
            const double ax = x0 + dx * a / length, ay = y0 + dy * a / length;
            const double bx = x0 + dx * b / length, by = y0 + dy * b / length;
            glVertex2f(static_cast<float>(ax + nx), static_cast<float>(ay + ny));
            glVertex2f(static_cast<float>(ax - nx), static_cast<float>(ay - ny));
            glVertex2f(static_cast<float>(bx - nx), static_cast<float>(by - ny));
            glVertex2f(static_cast<float>(bx + nx), static_cast<float>(by + ny));
        };
        glBegin(GL_QUADS);
        if (from < to) {
            if (s.dash <= 0)
                quad(from * length, to * length);
            else {
                const double period = 2.0 * s.dash;
                const double start = from * length, end = to * length;
                for (double a = start - std::fmod(phase + start, period); a < end; a += period)
                    if (a + s.dash > start)
                        quad(std::max(a, start), std::min(a + s.dash, end));
            }
        }
        glEnd();
        return phase + length;
    }

    // A closed outline through the window pixels (x[i], y[i]), stroked.
    void outline(const double* x, const double* y, int count, const SceneStroke& s) const
    {
        double phase = 0;
        for (int i = 0; i < count; ++i)
            phase = stroke(x[i], y[i], x[(i + 1) % count], y[(i + 1) % count], s, phase);
    }

private:
    double matrix[16] = {};
    GLint viewport[4] = {};
    GLint mode = GL_MODELVIEW;
};

// A line with a dot at each end, all in the segment's own colour.
void drawSegment(const SceneSegment& segment)
{
    if (!plain(segment.stroke)) {
        setColor(segment.color);
        double ax = 0, ay = 0, bx = 0, by = 0;
        const bool seen = [&] {
            const Pixels pixels;
            const bool both = pixels.at(segment.a, ax, ay) && pixels.at(segment.b, bx, by);
            if (both)
                pixels.stroke(ax, ay, bx, by, scaled(segment.stroke));
            return both;
        }();
        if (!seen) {
            glBegin(GL_LINES);
            vertex(segment.a);
            vertex(segment.b);
            glEnd();
        }
        if (segment.stroke.endSize >= 0) {
            // Larger end dots than the stroke, but at most half as wide as the segment is long, so
            // that a short segment's ends stay apart.
            const double length = seen ? std::hypot(bx - ax, by - ay) : 0;
            const float wanted = scaled(segment.stroke.endSize > 0 ? segment.stroke.endSize : pointSize);
            const float least = scaled(segment.stroke.width) + 2;
            glPointSize(segment.stroke.endSize > 0 && seen
                            ? std::max(least, std::min(wanted, static_cast<float>(length / 2)))
                            : wanted);
            glBegin(GL_POINTS);
            vertex(segment.a);
            vertex(segment.b);
            glEnd();
        }
        return;
    }
    glPointSize(scaled(pointSize));
    setColor(segment.color);
    glBegin(GL_LINES);
    vertex(segment.a);
    vertex(segment.b);
    glEnd();
    glBegin(GL_POINTS);
    vertex(segment.a);
    vertex(segment.b);
    glEnd();
}

// From origin + 100 * direction to origin - 100 * direction; the direction is not normalised.
void drawLine(const SceneLine& line)
{
    const ScenePoint& o = line.origin;
    const ScenePoint& d = line.direction;
    const double reach = sceneLineReach;
    setColor(line.color);
    if (!plain(line.stroke)) {
        const Pixels pixels;
        double ax, ay, bx, by;
        if (pixels.at(o.x + d.x * reach, o.y + d.y * reach, o.z + d.z * reach, ax, ay) &&
            pixels.at(o.x - d.x * reach, o.y - d.y * reach, o.z - d.z * reach, bx, by)) {
            pixels.stroke(ax, ay, bx, by, scaled(line.stroke));
            return;
        }
    }
    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(o.x + d.x * reach), static_cast<float>(o.y + d.y * reach),
               static_cast<float>(o.z + d.z * reach));
    glVertex3f(static_cast<float>(o.x - d.x * reach), static_cast<float>(o.y - d.y * reach),
               static_cast<float>(o.z - d.z * reach));
    glEnd();
}

// A 100-vertex loop in the plane z = center.z, counter-clockwise seen from +z.
void drawCircle(const SceneCircle& circle)
{
    setColor(circle.color);
    if (!plain(circle.stroke)) {
        const Pixels pixels;
        double x[100], y[100];
        bool seen = true;
        for (int i = 0; i < 100 && seen; ++i) {
            const double theta = i * 2 * std::numbers::pi / 100;
            seen = pixels.at(circle.center.x + circle.radius * std::cos(theta),
                             circle.center.y + circle.radius * std::sin(theta), circle.center.z, x[i], y[i]);
        }
        if (seen) {
            pixels.outline(x, y, 100, scaled(circle.stroke));
            return;
        }
    }
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 100; ++i) {
        const double theta = static_cast<float>(i * 2 * std::numbers::pi / 100);
        const float cosine = static_cast<float>(std::cos(theta));
        const float sine = static_cast<float>(std::sin(theta));
        glVertex3f(circle.center.x + circle.radius * cosine, circle.center.y + circle.radius * sine,
                   circle.center.z);
    }
    glEnd();
}

GLuint vertexBuffer = 0;                   // the GL's copy of sceneVertices, or 0 before the first
unsigned bufferedVersion = 0;              // the sceneVerticesVersion it holds
bool buffered = false;                     // whether it holds any

// From here on the vertex array is sceneVertices, from the buffer, filled first when they changed.
void bindSceneVertices()
{
    if (vertexBuffer == 0)
        glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    if (!buffered || bufferedVersion != sceneVerticesVersion) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sceneVertices.size() * sizeof(float)),
                     sceneVertices.data(), GL_STATIC_DRAW);
        bufferedVersion = sceneVerticesVersion;
        buffered = true;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    // The stride said outright: emscripten's GL emulation takes a stride of 0 for separate arrays.
    glVertexPointer(3, GL_FLOAT, 3 * sizeof(float), nullptr);
}

// Back to immediate mode, which draws from no buffer.
void unbindSceneVertices()
{
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// Points of the bound vertices, in the current colour and size. emscripten's GL emulation sets a
// draw's colour, size and vertex pointers only after a matrix call: the push and pop make one.
void drawVertexPoints(int first, int count)
{
    glPushMatrix();
    glPopMatrix();
    glDrawArrays(GL_POINTS, first, count);
}

// Each run in its colour, all from one vertex array.
void drawPointRuns()
{
    if (scenePointRuns.empty())
        return;
    bindSceneVertices();
    glPointSize(scaled(pointSize));
    for (const ScenePointRun& run : scenePointRuns) {
        if (run.count <= 0)
            continue;
        setColor(run.color);
        drawVertexPoints(run.first, run.count);
    }
    unbindSceneVertices();
}

// The mark runs of dots (records drawn as the programs draw them), or the others: filled squares as
// GL points of their size, a square's outline as four quads about each vertex's window pixel, a
// ring as a 16-sided polygon.
void drawMarkRuns(bool dots)
{
    for (const ScenePointRun& run : sceneMarkRuns) {
        if (run.count <= 0 || run.first < 0 || 3 * (static_cast<std::size_t>(run.first) + run.count) > sceneVertices.size())
            continue;
        if ((run.mark == SceneMark::dot) != dots)
            continue;
        setColor(run.color);
        if (run.mark == SceneMark::dot || run.mark == SceneMark::filled) {
            bindSceneVertices();
            glPointSize(scaled(run.mark == SceneMark::dot ? pointSize : run.size));
            drawVertexPoints(run.first, run.count);
            unbindSceneVertices();
            continue;
        }
        const Pixels pixels;
        const double size = scaled(run.size), half = size / 2.0;
        const double frame = run.mark == SceneMark::ring ? scaled(2) : std::max<double>(scaled(2), size / 5.0);
        for (int i = run.first; i < run.first + run.count; ++i) {
            const float* v = &sceneVertices[3 * static_cast<std::size_t>(i)];
            double cx, cy;
            if (!pixels.at(v[0], v[1], v[2], cx, cy))
                continue;
            if (run.mark == SceneMark::square) { // its four sides, each a rectangle
                const auto side = [](double left, double bottom, double right, double top) {
                    glVertex2f(static_cast<float>(left), static_cast<float>(bottom));
                    glVertex2f(static_cast<float>(right), static_cast<float>(bottom));
                    glVertex2f(static_cast<float>(right), static_cast<float>(top));
                    glVertex2f(static_cast<float>(left), static_cast<float>(top));
                };
                glBegin(GL_QUADS);
                side(cx - half, cy - half, cx + half, cy - half + frame);
                side(cx - half, cy + half - frame, cx + half, cy + half);
                side(cx - half, cy - half + frame, cx - half + frame, cy + half - frame);
                side(cx + half - frame, cy - half + frame, cx + half, cy + half - frame);
                glEnd();
                continue;
            }
            double x[16], y[16];
            for (int k = 0; k < 16; ++k) {
                const double theta = k * 2 * std::numbers::pi / 16;
                x[k] = cx + (half - frame / 2) * std::cos(theta);
                y[k] = cy + (half - frame / 2) * std::sin(theta);
            }
            pixels.outline(x, y, 16, SceneStroke{static_cast<float>(frame), 0, 0});
        }
    }
}

// The text in the band at the top, and the side text in the column at the right below it.
void drawBesideText()
{
    const int width = frameWidth(), height = frameHeight();
    setColor(colorBlack);
    drawTextBox(sceneText, -1, {0, 0, width, textBandHeight}, width, height, textBandPixels);
    drawTextBox(sceneSideText, sceneSideMarked,
                {width - textColumnWidth, textBandHeight, textColumnWidth, height - textBandHeight - textFootHeight},
                width, height, textSidePixels);
    if (textFootHeight > 0) { // the foot's lines in two columns, the first half at the left
        const auto half = sceneFootText.begin() + static_cast<long>((sceneFootText.size() + 1) / 2);
        const int footWidth = width / 2, top = height - textFootHeight;
        drawTextBox({sceneFootText.begin(), half}, -1, {0, top, footWidth, textFootHeight}, width, height,
                    textSidePixels);
        drawTextBox({half, sceneFootText.end()}, -1, {footWidth, top, footWidth, textFootHeight}, width, height,
                    textSidePixels);
    }
}

// One frame into the back buffer.
void drawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Beside text, the picture keeps to its viewport: a dot at its edge spills over no text.
    const bool besideText = textBandHeight > 0 || textColumnWidth > 0;
    if (besideText) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glScissor(viewport[0], viewport[1], viewport[2], viewport[3]);
        glEnable(GL_SCISSOR_TEST);
    }
    // Later covers earlier: the lines under the marked records, so that one on a line stays in
    // sight; circles and segments (a step's subject) over them; the records as dots over all.
    glPushMatrix();
    drawPointRuns();
    for (const SceneLine& line : sceneLines)
        drawLine(line);
    drawMarkRuns(false);
    for (const SceneCircle& circle : sceneCircles)
        drawCircle(circle);
    for (const SceneSegment& segment : sceneSegments)
        drawSegment(segment);
    for (const ScenePoint& point : scenePoints) {
        setColor(point.color);
        glPointSize(scaled(pointSize));
        glBegin(GL_POINTS);
        vertex(point);
        glEnd();
    }
    drawMarkRuns(true);
    glPopMatrix();
    if (besideText) {
        glDisable(GL_SCISSOR_TEST);
        drawBesideText();
    } else if (!sceneText.empty()) {
        setColor(colorBlack);
        drawTextLines(sceneText, frameWidth(), frameHeight());
    }
    glFlush();
}

} // namespace

void onDisplay()
{
    drawScene();
    glutSwapBuffers();
}

std::vector<unsigned char> windowPixels(int& width, int& height)
{
    width = frameWidth();
    height = frameHeight();
    drawScene();
    std::vector<unsigned char> bottomUp(3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1); // from the back buffer, a double-buffered window's reading one
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> rgb(bottomUp.size());
    const std::size_t row = 3 * static_cast<std::size_t>(width);
    for (int y = 0; y < height; ++y)
        std::copy_n(bottomUp.begin() + static_cast<long>(row * static_cast<std::size_t>(height - 1 - y)), row,
                    rgb.begin() + static_cast<long>(row * static_cast<std::size_t>(y)));
    return rgb;
}
