// The viewer: one GLUT window that draws the scene store continuously, with mouse navigation.
//
// Controls: drag with the left button to pan, with the right button to rotate about the view's
// axis, with the middle button (or left and right together) to zoom. Releasing any button stops.
#pragma once

#include "scene/scene.hpp"

// Camera, placed once from the scene extent; the pivot of rotation and zoom.
extern float viewCenterX; // midpoint of the scene's x range
extern float viewCenterY; // midpoint of the scene's y range
extern float eyeDistance; // distance of the eye from the plane z = 0

// Mouse state.
extern int mouseLastX;          // window x of the last position handled
extern int mouseLastY;          // window y of the last position handled
extern bool leftButtonDown;     // set by a left press, cleared by any release
extern bool middleButtonDown;   // set by a middle press, cleared by any release
extern bool rightButtonDown;    // set by a right press, cleared by any release
extern ScenePoint mouseAnchor;  // object point under the cursor (window depth 0) at the last press

struct Camera {
    float centerX;
    float centerY;
    float eyeDistance;
};

// The camera for an extent: centred on it, at span x or span y from the plane z = 0, where a
// span is max + |min|.
Camera cameraFor(const SceneExtent& extent);

// Opens the window, places the camera, sets the matrices and registers the callbacks; stops
// short of the main loop.
void openViewer(int argc, char** argv);

// openViewer, then GLUT's main loop: closing the window ends the process through exit.
void startViewer(int argc, char** argv);

void onReshape(int width, int height);
void onDisplay();
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);

// One frame into the back buffer, without the swap (onDisplay swaps).
void drawScene();

inline constexpr float pointSize = 4; // pixels across a drawn point

void setColor(int code);
// The scene's circles, then its lines, then its segments, each list in order.
void drawCirclesLinesAndSegments();
void drawSegment(const SceneSegment& segment);
void drawLine(const SceneLine& line);
void drawCircle(const SceneCircle& circle);
