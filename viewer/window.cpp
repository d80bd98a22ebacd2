// Window, camera and projection. After the first reshape the projection matrix stays current,
// so the display's push/pop and all mouse navigation act on it, and every reshape resets the
// view; the modelview keeps the camera translation until the view is reset or framed on a box.
#include "viewer/platform.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <numbers>

float viewCenterX = 0;
float viewCenterY = 0;
float eyeDistance = 0;
int textBandHeight = 0;
int textColumnWidth = 0;
int textFootHeight = 0;
float textBandPixels = 0;
float textSidePixels = 0;

namespace {

constexpr double fieldOfView = 60;
constexpr double nearPlane = 1;
constexpr double boxFill = 0.8; // of the picture's height or width that a framed box fills

int offscreenWidth = 0, offscreenHeight = 0; // of a frame drawn without a window; 0 with a window

// The projection alone, over the current viewport: the navigation cleared.
void loadPerspective()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const float aspect = static_cast<float>(static_cast<double>(viewport[2]) / std::max(viewport[3], 1));
    gluPerspective(fieldOfView, aspect, nearPlane, viewerFarPlane);
}

} // namespace

void keepOffscreenSize(int width, int height)
{
    offscreenWidth = width;
    offscreenHeight = height;
}

int frameWidth() { return offscreenWidth > 0 ? offscreenWidth : glutGet(GLUT_WINDOW_WIDTH); }
int frameHeight() { return offscreenHeight > 0 ? offscreenHeight : glutGet(GLUT_WINDOW_HEIGHT); }

void placeCamera()
{
    const double minX = sceneExtent.min.x, minY = sceneExtent.min.y;
    const double maxX = sceneExtent.max.x, maxY = sceneExtent.max.y;
    const double spanX = maxX + std::fabs(minX);
    const double spanY = maxY + std::fabs(minY);
    viewCenterX = static_cast<float>((maxX + minX) * 0.5);
    viewCenterY = static_cast<float>((maxY + minY) * 0.5);
    eyeDistance = static_cast<float>(spanX * 5 > spanY ? spanX : spanY);
}

void resetView()
{
    placeCamera();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, 1, nearPlane, viewerFarPlane);
    gluLookAt(viewCenterX, viewCenterY, eyeDistance, viewCenterX, viewCenterY, 0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-viewCenterX, -viewCenterY, -eyeDistance);
}

KeptView keptView()
{
    KeptView view{viewCenterX, viewCenterY, eyeDistance, {}, {}};
    glGetFloatv(GL_PROJECTION_MATRIX, view.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, view.modelview);
    return view;
}

void restoreView(const KeptView& view)
{
    viewCenterX = view.centerX;
    viewCenterY = view.centerY;
    eyeDistance = view.eye;
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.modelview);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(view.projection);
}

void restoreViewOver(const KeptView& view, float scale, float dx, float dy)
{
    restoreView(view);
    glMatrixMode(GL_MODELVIEW);
    glScalef(scale, scale, scale);
    glTranslatef(dx, dy, 0);
    glMatrixMode(GL_PROJECTION);
}

void fitSceneWidth()
{
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // Half the scene's width on the plane z = 0, in the picture's half-widths.
    const double half = projection[0] * (sceneExtent.max.x - sceneExtent.min.x) / 2 / std::max(eyeDistance, 1e-6f);
    if (half <= 0.95)
        return;
    const auto shrink = static_cast<float>(0.95 / half);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScalef(shrink, shrink, 1);
    glMultMatrixf(projection);
}

void keepSceneWithinDepth()
{
    const double depth = static_cast<double>(eyeDistance) - sceneExtent.min.z; // to the farthest record
    if (depth <= 0.99 * viewerFarPlane)
        return;
    const auto nearer = static_cast<float>(0.9 * viewerFarPlane / depth);
    glMatrixMode(GL_PROJECTION);
    glScalef(nearer, nearer, nearer);
}

void lookAtScene()
{
    resetView();
    loadPerspective();
}

void lookAtBox(float minX, float minY, float maxX, float maxY, float nearZ)
{
    placeCamera();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double aspect = static_cast<double>(viewport[2]) / std::max(viewport[3], 1);
    // Half the picture's height, filled, per unit of distance.
    const double reach = std::tan(fieldOfView / 2 * std::numbers::pi / 180) * boxFill;
    const double halfX = (static_cast<double>(maxX) - minX) / 2, halfY = (static_cast<double>(maxY) - minY) / 2;
    const double distance = std::max({halfY / reach, halfX / (reach * std::max(aspect, 1e-3)), 2.0});
    // The start-up view's pivot, at the same place seen from the camera.
    const double scale = eyeDistance > 0 ? distance / eyeDistance : 1;
    viewCenterX = static_cast<float>(viewCenterX * scale);
    viewCenterY = static_cast<float>(viewCenterY * scale);
    eyeDistance = static_cast<float>(distance);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(static_cast<float>(-(minX + halfX)), static_cast<float>(-(minY + halfY)),
                 static_cast<float>(-(nearZ + distance)));
    loadPerspective();
}

void openViewer(int argc, char** argv, int width, int height)
{
    preparePlatform();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    adaptWindow();
    glClearColor(sceneBackground[0], sceneBackground[1], sceneBackground[2], 0.0f);
    resetView();

    glutDisplayFunc(onDisplay);
    glutIdleFunc(onDisplay);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutReshapeFunc(onReshape);
}

void startViewer(int argc, char** argv)
{
    openViewer(argc, argv);
    glutMainLoop();
}

void onReshape(int width, int height)
{
    glViewport(0, textFootHeight, std::max(width - textColumnWidth, 0),
               std::max(height - textBandHeight - textFootHeight, 1));
    loadPerspective();
}
