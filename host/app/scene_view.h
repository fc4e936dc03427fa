// The main window's view of the scene: the scene picture (scene_picture.h)
// with the flare of a host object's light drawn over it at the view's client
// size. It renders again whenever its size changes and as the left mouse
// button drags the light, and tells its parent after every render.
#ifndef HOST_APP_SCENE_VIEW_H
#define HOST_APP_SCENE_VIEW_H

#include <windows.h>

#include <cstdint>

#include "host/api/qi_core.h"
#include "host/app/render_command.h"

#define SCENE_VIEW_CLASS "QuorixSceneView"

// Notification code of the WM_COMMAND (view id, code, view window) that the
// view sends its parent after every render.
constexpr WORD kSceneViewRendered = 1;

struct SceneView {
    HWND window;             // the view
    QiToken kind;            // the host object whose flare is drawn: its kind
    const char *name;        //   and its name (not owned; outlives the view)
    int32_t width, height;   // client size in pixels
    int32_t lightX, lightY;  // the light, client pixels from the top-left corner
    bool lightPlaced;        // false until the first size puts the light in place
    bool dragging;           // the left button holds the light; the view has the capture
    QiGBuffer *buffer;       // render buffer of the client size, or null; owned
    HDC memoryDc;            // holds `bitmap` for painting; owned
    HBITMAP bitmap;          // 32-bit top-down DIB section of the client size, or null; owned
    HGDIOBJ oldBitmap;       // memoryDc's bitmap before ours
    uint32_t *bits;          // bitmap's pixels, 0x00RRGGBB, the top row first
    double renderMs;         // how long the last render took, display copy included
    uint32_t renders;        // renders so far
};

ATOM RegisterSceneViewClass(HINSTANCE instance);

// Creates the view as child `id` of `parent`, drawing the flare of the host
// object (kind, name); null on failure.
HWND CreateSceneView(HWND parent, HINSTANCE instance, int id, QiToken kind, const char *name);

// The view's state, or null for a window that is no scene view.
const SceneView *SceneViewOf(HWND window);

// The options that render what the view shows (its size, its light and the
// scene), for a picture file.
RenderOptions SceneViewRenderOptions(const SceneView &view);

// Renders again (after the flare has changed), repaints and tells the parent.
void RenderSceneView(HWND window);

// Puts the light at (x, y), kept inside the view, and renders again.
void MoveSceneViewLight(HWND window, int32_t x, int32_t y);

#endif
