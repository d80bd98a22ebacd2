// Mouse navigation. Each step multiplies onto the current matrix (the projection, once the
// window has been reshaped) and asks for a redisplay; nothing else remembers the view.
#include "viewer/viewer.hpp"

#include <GL/glut.h>

#include <cmath>

int mouseLastX = 0;
int mouseLastY = 0;
bool leftButtonDown = false;
bool middleButtonDown = false;
bool rightButtonDown = false;
ScenePoint mouseAnchor;

namespace {

struct Unprojected {
    double x, y, z;
    int viewportWidth;
    bool ok; // false where no point is defined (singular matrices, an empty viewport)
};

// The object point under window position (x, y) at a window depth, through the current matrices.
Unprojected unprojectCursor(int x, int y, double depth = 0)
{
    GLint viewport[4];
    GLdouble modelview[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    Unprojected p{0, 0, 0, viewport[2], false};
    // The viewport starts above the foot at the window's bottom; the band lies above it.
    const int windowY = viewport[1] + viewport[3] + textBandHeight - y - 1;
    p.ok = gluUnProject(x, windowY, depth, modelview, projection, viewport, &p.x, &p.y, &p.z) == GL_TRUE &&
           std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
    return p;
}

// Rotation or scaling about the pivot (viewCenterX, viewCenterY, eyeDistance).
template <class Transform>
void aboutPivot(Transform transform)
{
    glTranslatef(viewCenterX, viewCenterY, eyeDistance);
    transform();
    glTranslatef(-viewCenterX, -viewCenterY, -eyeDistance);
}

} // namespace

// Where the line through the points under (x, y) at the near and far depths meets z = 0.
bool planePoint(int x, int y, double& planeX, double& planeY)
{
    const Unprojected near = unprojectCursor(x, y, 0), far = unprojectCursor(x, y, 1);
    if (!near.ok || !far.ok || near.z == far.z)
        return false;
    const double t = near.z / (near.z - far.z);
    planeX = near.x + t * (far.x - near.x);
    planeY = near.y + t * (far.y - near.y);
    return std::isfinite(planeX) && std::isfinite(planeY);
}

// A press adds its button's flag and re-anchors; any release clears every flag.
void onMouse(int button, int state, int x, int y)
{
    if (state != GLUT_DOWN) {
        leftButtonDown = middleButtonDown = rightButtonDown = false;
        glutPostRedisplay();
        return;
    }
    mouseLastX = x;
    mouseLastY = y;
    const Unprojected cursor = unprojectCursor(x, y);
    if (cursor.ok)
        mouseAnchor = ScenePoint{static_cast<float>(cursor.x), static_cast<float>(cursor.y),
                                 static_cast<float>(cursor.z)};
    if (button == GLUT_LEFT_BUTTON)
        leftButtonDown = true;
    else if (button == GLUT_MIDDLE_BUTTON)
        middleButtonDown = true;
    else if (button == GLUT_RIGHT_BUTTON)
        rightButtonDown = true;
    glutPostRedisplay();
}

void zoomView(float scale)
{
    aboutPivot([scale] { glScalef(scale, scale, scale); });
    glutPostRedisplay();
}

// Middle, or left and right together, zoom; left alone pans; right alone rotates.
void onMotion(int x, int y)
{
    const int dx = x - mouseLastX;
    const int dy = y - mouseLastY;
    if (dx == 0 && dy == 0)
        return;
    const Unprojected cursor = unprojectCursor(x, y);

    if (middleButtonDown || (leftButtonDown && rightButtonDown)) {
        zoomView(static_cast<float>(std::exp(dy / 2100.0)));
    } else if (leftButtonDown) {
        // Keeps the anchor under the cursor. Without a defined cursor point, skip the step.
        if (!cursor.ok)
            return;
        glTranslatef(static_cast<float>(cursor.x - mouseAnchor.x), static_cast<float>(cursor.y - mouseAnchor.y),
                     static_cast<float>(cursor.z - mouseAnchor.z));
    } else if (rightButtonDown) {
        const float length = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
        float angle = static_cast<float>(length / (cursor.viewportWidth + 1.0) * 180);
        if (dx > 0)
            angle = -angle;
        aboutPivot([angle] { glRotatef(angle, 0, 0, 1); });
    } else {
        return;
    }
    mouseLastX = x;
    mouseLastY = y;
    glutPostRedisplay();
}
