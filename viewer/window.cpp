// Window, camera and projection. After the first reshape the projection matrix stays current,
// so the display's push/pop and all mouse navigation act on it, and every reshape resets the
// view; the modelview keeps the camera translation until the view is reset.
#include "viewer/platform.hpp"
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <cmath>

float viewCenterX = 0;
float viewCenterY = 0;
float eyeDistance = 0;

namespace {
constexpr double fieldOfView = 60;
constexpr double nearPlane = 1;
} // namespace

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

void openViewer(int argc, char** argv)
{
    preparePlatform();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(viewerWidth, viewerHeight);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    adaptWindow();
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);
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
    if (height == 0)
        height = 1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    const float aspect = static_cast<float>(static_cast<double>(width) / height);
    gluPerspective(fieldOfView, aspect, nearPlane, viewerFarPlane);
}
