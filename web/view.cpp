// The page's side of the C++: it opens the viewer on the canvas, with the steps' keys, and keeps
// the view of any picture the page gives it; the page's script then chooses the set.
#include "explain/window.hpp"
#include "viewer/viewer.hpp"
#include "web/page.hpp"

#include <GL/glut.h>
#include <emscripten.h>

#include <cmath>

void startView(int width, int height)
{
    onReshape(width, height);
    if (following() && stepsOnScreen()) {
        setFollow(true);
        return;
    }
    fitSceneWidth();
    keepSceneWithinDepth();
}

extern "C" {

// The canvas's pixels per pixel the palette's sizes are meant for, from its size and the screen's.
EMSCRIPTEN_KEEPALIVE void pageScale(double scale)
{
    setScreenScale(static_cast<float>(scale));
    glutPostRedisplay();
}

// Zooms the view by scale, as a drag with the middle button does: two fingers pinching.
EMSCRIPTEN_KEEPALIVE void pageZoom(double scale)
{
    if (scale > 0 && std::isfinite(scale))
        zoomView(static_cast<float>(scale));
}

} // extern "C"

int main(int argc, char** argv)
{
    openViewer(argc, argv);
    // A frame when something changes, not continuously: a software renderer takes 80 ms for a
    // frame of 100,000 points, and frames one after another would keep keys and clicks waiting.
    glutIdleFunc(nullptr);
    takeStepKeys();
    stepViewHooks.shown = [](const StepPlayer&) { EM_ASM(Module.onStepShown && Module.onStepShown()); };
    stepViewHooks.takesKey = takeKey;
    glutReshapeFunc(startView);
    glutMainLoop();
    return 0;
}
