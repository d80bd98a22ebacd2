// What emscripten 3.1.6's emulation of GL 1.1 and GLU lacks or gets wrong, for the viewer's calls:
// glGetDoublev is missing, and gluPerspective and gluLookAt replace the current matrix instead of
// multiplying onto it (gluLookAt also passes its vectors in the wrong order). Defined here, they
// take the place of the emulation's at link time.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <numbers>

extern "C" {

// The matrices, the viewport and the current colour, as the emulation answers glGetFloatv.
void glGetDoublev(GLenum name, GLdouble* values)
{
    GLfloat floats[16] = {};
    glGetFloatv(name, floats);
    const int count = name == GL_MODELVIEW_MATRIX || name == GL_PROJECTION_MATRIX ? 16 : 4;
    for (int i = 0; i < count; ++i)
        values[i] = floats[i];
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    const GLdouble top = zNear * std::tan(fovy * std::numbers::pi / 360);
    glFrustum(-top * aspect, top * aspect, -top, top, zNear, zFar);
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    const auto normalised = [](GLdouble (&v)[3]) {
        const GLdouble length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        for (GLdouble& c : v)
            c /= length;
    };
    GLdouble f[3] = {centerX - eyeX, centerY - eyeY, centerZ - eyeZ};
    normalised(f);
    GLdouble s[3] = {f[1] * upZ - f[2] * upY, f[2] * upX - f[0] * upZ, f[0] * upY - f[1] * upX};
    normalised(s);
    const GLdouble u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    const GLdouble m[16] = {s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, 0, 0, 0, 1};
    glMultMatrixd(m);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

} // extern "C"
