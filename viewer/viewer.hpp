// The viewer: one GLUT window that draws the scene store continuously, with mouse navigation.
//
// Controls: drag with the left button to pan, with the right button to rotate about the view's
// axis, with the middle button (or left and right together) to zoom. Releasing any button stops.
#pragma once

#include "scene/scene.hpp"

#include <vector>

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

// What the scene's marks and strokes are drawn at, times the pixels they ask for (a point, a mark
// run's size, a stroke's width, dash and end dots); above 1 the text beside the picture is drawn
// in a larger font too (projector mode). 1 unless a window or the page sets it.
extern float drawScale;

// Window pixels kept for text beside the picture: a band at the top and, below it, a column at
// the right. The picture's viewport is the rest. Both 0 (the whole window the picture's) unless
// a window sets them before it opens.
extern int textBandHeight;  // pixel rows of the band at the top
extern int textColumnWidth; // pixel columns of the column at the right
extern int textFootHeight;  // pixel rows of a foot across the window's bottom, under the picture and the column

// The height in pixels of the band's text, and of the column's and the foot's; 0 draws the bitmap
// fonts (9 x 15, or Helvetica 18 when drawScale is above 1). Set for a hall's screen, where the
// text is a share of the window's height.
extern float textBandPixels;
extern float textSidePixels;

// Places the camera from sceneExtent: centred on it, at span x or span y from the plane z = 0,
// where a span is max + |min|.
void placeCamera();

// Places the camera and sets both matrices for the scene store as it is now.
void resetView();

// The start-up view again, as a reshape leaves it: the camera placed from sceneExtent, the
// navigation cleared.
void lookAtScene();

// The camera straight above the middle of the box [minX, maxX] x [minY, maxY], in front of the
// plane z = nearZ, at the distance where the box fills most of the picture (and at least 2, so
// that the near plane cuts nothing); the navigation cleared. The pivot is scaled with the view, so
// that dragging moves this view as it moves the start-up view.
void lookAtBox(float minX, float minY, float maxX, float maxY, float nearZ);

// Opens a window of width x height pixels, resets the view and registers the callbacks; stops
// short of the main loop.
void openViewer(int argc, char** argv, int width = viewerWidth, int height = viewerHeight);

// openViewer at the start-up size, then GLUT's main loop: closing the window ends the process
// through exit.
void startViewer(int argc, char** argv);

// The picture's viewport is the window less the band and the column; the projection its.
void onReshape(int width, int height);
void onDisplay(); // one frame of the scene store, then the swap
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);

// Zooms the view by scale about the pivot, as a drag with the middle button does (above 1 nearer).
void zoomView(float scale);

// The point of the plane z = 0 under window pixel (x, y), counted from the window's top left,
// through the current matrices: whether there is one (none where the view cannot see the plane).
bool planePoint(int x, int y, double& planeX, double& planeY);

// The view as it stands: the camera's pivot and both matrices, to put back once the scene has
// changed under it.
struct KeptView {
    float centerX, centerY, eye;
    float projection[16], modelview[16];
};
KeptView keptView();
void restoreView(const KeptView& view);

// The view as it stood, over a scene scaled by scale about its origin and then moved by (dx, dy):
// the same records under the same pixels.
void restoreViewOver(const KeptView& view, float scale, float dx, float dy);

// Two mends of the start-up view for pictures the programs' windows never have (both change
// nothing there):
// - The camera's distance follows the scene's width for a landscape picture, so a narrow one (a
//   phone's) would cut its sides off: the picture is shrunk about its middle until the width fits.
// - A scene wider than the far plane is deep would lie beyond it and show nothing: the eye's space
//   is scaled down about the eye, which leaves the picture as it is within the depth range.
void fitSceneWidth();
void keepSceneWithinDepth();

// The size in pixels of what frames are drawn into: the window, or a frame without one.
int frameWidth();
int frameHeight();
void keepOffscreenSize(int width, int height); // from now on frames are drawn without a window

// The frame's pixels as the next frame draws them (the picture and its texts), RGB from the top
// row down; in a window, the frame stays to be shown by the display callback, which the caller
// asks for.
std::vector<unsigned char> windowPixels(int& width, int& height);

// Sets the drawing colour of a code of the colour table; other codes set nothing.
void setColor(int code);
