// The viewer: one GLUT window that draws the scene store continuously, with mouse navigation.
//
// Controls: drag with the left button to pan, with the right button to rotate about the view's
// axis, with the middle button (or left and right together) to zoom. Releasing any button stops.
#pragma once

#include "scene/scene.hpp"

// Camera, placed from the scene extent when the window opens; the pivot of rotation and zoom.
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

inline constexpr int viewerWidth = 1024;  // the window's size at start, in pixels
inline constexpr int viewerHeight = 700;
inline constexpr float pointSize = 4;          // pixels across a drawn point

// Places the camera from sceneExtent: centred on it, at span x or span y from the plane z = 0,
// where a span is max + |min|.
void placeCamera();

// Places the camera and sets both matrices for the scene store as it is now.
void resetView();

// Opens the window, resets the view and registers the callbacks; stops short of the main loop.
void openViewer(int argc, char** argv);

// openViewer, then GLUT's main loop: closing the window ends the process through exit.
void startViewer(int argc, char** argv);

void onReshape(int width, int height);
void onDisplay(); // one frame of the scene store, then the swap
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);

// Sets the drawing colour of a code of the colour table; other codes set nothing.
void setColor(int code);
