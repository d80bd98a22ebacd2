#include "viewer/offscreen.hpp"
#include "viewer/viewer.hpp"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>

std::string openOffscreenFrame(int width, int height)
{
    const auto platformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (platformDisplay == nullptr)
        return "EGL has no platforms";
    const EGLDisplay display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr))
        return "no EGL without a display (Mesa's surfaceless platform)";
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_RED_SIZE, 8,
                             EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24, EGL_NONE};
    EGLConfig configs[64];
    EGLint found = 0;
    if (!eglChooseConfig(display, wanted, configs, 64, &found) || found == 0)
        return "no EGL configuration for OpenGL into a pixel buffer";
    // EGL lists the deepest colours first. A window's are 8 bits each without alpha or samples:
    // with the same, blends round alike, and the same frame has the same pixels in both.
    const auto value = [display](EGLConfig c, EGLint attribute) {
        EGLint v = 0;
        eglGetConfigAttrib(display, c, attribute, &v);
        return v;
    };
    const auto windowLike = [&value](EGLConfig c, bool alpha) {
        return value(c, EGL_RED_SIZE) == 8 && value(c, EGL_GREEN_SIZE) == 8 && value(c, EGL_BLUE_SIZE) == 8 &&
               value(c, EGL_SAMPLES) == 0 && (alpha || value(c, EGL_ALPHA_SIZE) == 0);
    };
    EGLConfig* const end = configs + found;
    EGLConfig* config = std::find_if(configs, end, [&](EGLConfig c) { return windowLike(c, false); });
    config = config != end ? config : std::find_if(configs, end, [&](EGLConfig c) { return windowLike(c, true); });
    config = config != end ? config : configs;
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    const EGLSurface surface = eglCreatePbufferSurface(display, *config, size);
    if (surface == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_API))
        return "no EGL pixel buffer of " + std::to_string(width) + " x " + std::to_string(height);
    const EGLContext context = eglCreateContext(display, *config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context))
        return "no OpenGL context through EGL";
    keepOffscreenSize(width, height);
    glClearColor(sceneBackground[0], sceneBackground[1], sceneBackground[2], 0.0f);
    resetView();
    onReshape(width, height);
    return "";
}
