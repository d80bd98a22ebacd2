// Window, camera and projection. After the first reshape the projection matrix stays current,
// so the display's push/pop and all mouse navigation act on it, and every reshape resets the
// view; the modelview keeps the camera translation for the whole run.
#include "viewer/viewer.hpp"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/extensions/XInput2.h>

#include <cmath>
#include <csignal>

float viewCenterX = 0;
float viewCenterY = 0;
float eyeDistance = 0;

namespace {

// freeglut asks for XInput2 pointer events and, for each one it cannot match to a window (as
// during a drag that leaves the window), keeps the event's data for good: memory grows for as long
// as such a drag goes on. With the XInput2 selection cleared the window gets the core pointer
// events, which freeglut handles without that leak.
void useCorePointerEvents()
{
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;
    unsigned char none[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{XIAllMasterDevices, sizeof none, none};
    XISelectEvents(display, window, &mask, 1);
}

constexpr int windowWidth = 1024;
constexpr int windowHeight = 700;
constexpr double fieldOfView = 60;
constexpr double nearPlane = 1;
constexpr double farPlane = 1000;
} // namespace

Camera cameraFor(const SceneExtent& extent)
{
    const double minX = extent.min.x, minY = extent.min.y;
    const double maxX = extent.max.x, maxY = extent.max.y;
    const double spanX = maxX + std::fabs(minX);
    const double spanY = maxY + std::fabs(minY);
    return Camera{static_cast<float>((maxX + minX) * 0.5), static_cast<float>((maxY + minY) * 0.5),
                  static_cast<float>(spanX * 5 > spanY ? spanX : spanY)};
}

void openViewer(int argc, char** argv)
{
    // A write to a connection that the X server has closed must fail with EPIPE, so that Xlib's
    // I/O error handler reports it, instead of ending the process by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    useCorePointerEvents();
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);

    const Camera camera = cameraFor(sceneExtent);
    viewCenterX = camera.centerX;
    viewCenterY = camera.centerY;
    eyeDistance = camera.eyeDistance;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, 1, nearPlane, farPlane);
    gluLookAt(viewCenterX, viewCenterY, eyeDistance, viewCenterX, viewCenterY, 0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-viewCenterX, -viewCenterY, -eyeDistance);

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
    gluPerspective(fieldOfView, aspect, nearPlane, farPlane);
}
