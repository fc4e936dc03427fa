#include "host/app/scene_view.h"

#include <algorithm>
#include <chrono>

#include "host/app/image_file.h"

namespace {

SceneView *StateOf(HWND window)
{
    return reinterpret_cast<SceneView *>(GetWindowLongPtrA(window, 0));
}

// The state of a window of the view's class, or null.
SceneView *ViewOf(HWND window)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, SCENE_VIEW_CLASS) == 0 ? StateOf(window) : nullptr;
}

void SceneView_FreeSurfaces(SceneView *view)
{
    if (view->buffer) {
        Qi_Free_Global_GBuffer(view->buffer);
        view->buffer = nullptr;
    }
    if (view->memoryDc) {
        SelectObject(view->memoryDc, view->oldBitmap);
        DeleteDC(view->memoryDc);
        view->memoryDc = nullptr;
    }
    if (view->bitmap) {
        DeleteObject(view->bitmap);
        view->bitmap = nullptr;
    }
    view->bits = nullptr;
}

// The render buffer and the display bitmap of the client size; false (and
// neither) when one cannot be made.
bool SceneView_MakeSurfaces(SceneView *view)
{
    view->buffer = Qi_Alloc_Global_GBuffer(view->width, view->height, view->height, 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = view->width;
    info.bmiHeader.biHeight = -view->height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    view->bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    view->memoryDc = view->bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!view->buffer || !view->memoryDc) {
        SceneView_FreeSurfaces(view);
        return false;
    }
    view->bits = static_cast<uint32_t *>(bits);
    view->oldBitmap = SelectObject(view->memoryDc, view->bitmap);
    return true;
}

// The buffer's planes into the display bitmap, bytes as in picture files.
void SceneView_CopyToBitmap(SceneView *view)
{
    GdiFlush();
    const QiGBuffer &b = *view->buffer;
    const int32_t width = view->width, height = view->height;  // not re-read after each store
    for (int32_t y = 0; y < height; ++y) {
        const size_t at = size_t(height - 1 - y) * size_t(width);
        const float *red = b.red + at, *green = b.green + at, *blue = b.blue + at;
        uint32_t *out = view->bits + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x)
            out[x] = uint32_t(ChannelByte(red[x])) << 16 | uint32_t(ChannelByte(green[x])) << 8 |
                     ChannelByte(blue[x]);
    }
}

void SceneView_Render(SceneView *view)
{
    if (!view->buffer)
        return;
    auto start = std::chrono::steady_clock::now();
    DrawFlareScene(*view->buffer, SceneViewRenderOptions(*view), view->kind, view->name, nullptr);
    SceneView_CopyToBitmap(view);
    auto end = std::chrono::steady_clock::now();
    view->renderMs = std::chrono::duration<double, std::milli>(end - start).count();
    ++view->renders;
    InvalidateRect(view->window, nullptr, FALSE);
    HWND parent = GetParent(view->window);
    SendMessageA(parent, WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(view->window), kSceneViewRendered),
                 reinterpret_cast<LPARAM>(view->window));
}

// The light stays inside the view, so that it can always be seen and caught.
void SceneView_PlaceLight(SceneView *view, int32_t x, int32_t y)
{
    view->lightX = std::clamp(x, 0, std::max(view->width - 1, 0));
    view->lightY = std::clamp(y, 0, std::max(view->height - 1, 0));
}

LRESULT SceneView_OnCreate(HWND window, const CREATESTRUCTA *create)
{
    const SceneView *setup = static_cast<const SceneView *>(create->lpCreateParams);
    SceneView *view = new SceneView(*setup);
    view->window = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(view));
    return 0;
}

// A new size: new surfaces, the light kept inside (placed a quarter from
// the left and a third from the top the first time), a new picture.
void SceneView_OnSize(SceneView *view, int32_t width, int32_t height)
{
    SceneView_FreeSurfaces(view);
    view->width = width;
    view->height = height;
    if (width <= 0 || height <= 0)
        return;
    if (!view->lightPlaced) {
        view->lightX = width / 4;
        view->lightY = height / 3;
        view->lightPlaced = true;
    }
    SceneView_PlaceLight(view, view->lightX, view->lightY);
    if (SceneView_MakeSurfaces(view))
        SceneView_Render(view);
}

void SceneView_OnButtonDown(SceneView *view, int32_t x, int32_t y)
{
    SetCapture(view->window);
    view->dragging = true;
    SceneView_PlaceLight(view, x, y);
    SceneView_Render(view);
}

void SceneView_OnMouseMove(SceneView *view, int32_t x, int32_t y)
{
    if (!view->dragging)
        return;
    SceneView_PlaceLight(view, x, y);
    SceneView_Render(view);
}

void SceneView_OnButtonUp(SceneView *view)
{
    if (view->dragging)
        ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
}

void SceneView_Draw(const SceneView *view, HDC dc)
{
    if (view->memoryDc) {
        BitBlt(dc, 0, 0, view->width, view->height, view->memoryDc, 0, 0, SRCCOPY);
        return;
    }
    RECT client;
    GetClientRect(view->window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void SceneView_OnPaint(const SceneView *view)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view->window, &paint);
    SceneView_Draw(view, dc);
    EndPaint(view->window, &paint);
}

void SceneView_OnNcDestroy(SceneView *view)
{
    SceneView_FreeSurfaces(view);
    SetWindowLongPtrA(view->window, 0, 0);
    delete view;
}

LRESULT CALLBACK SceneViewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return SceneView_OnCreate(window, reinterpret_cast<CREATESTRUCTA *>(lParam));
    SceneView *view = StateOf(window);
    if (!view)
        return DefWindowProcA(window, message, wParam, lParam);
    const int32_t x = static_cast<int16_t>(LOWORD(lParam));
    const int32_t y = static_cast<int16_t>(HIWORD(lParam));
    switch (message) {
    case WM_SIZE:
        SceneView_OnSize(view, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        SceneView_OnButtonDown(view, x, y);
        return 0;
    case WM_MOUSEMOVE:
        SceneView_OnMouseMove(view, x, y);
        return 0;
    case WM_LBUTTONUP:
        SceneView_OnButtonUp(view);
        return 0;
    case WM_CAPTURECHANGED:
        view->dragging = false;
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the picture covers the whole client area
    case WM_PAINT:
        SceneView_OnPaint(view);
        return 0;
    case WM_PRINTCLIENT:
        SceneView_Draw(view, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_NCDESTROY:
        SceneView_OnNcDestroy(view);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ATOM RegisterSceneViewClass(HINSTANCE instance)
{
    WNDCLASSA cls = {};
    cls.lpfnWndProc = SceneViewWndProc;
    cls.cbWndExtra = sizeof(SceneView *);
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_CROSS);
    cls.lpszClassName = SCENE_VIEW_CLASS;
    ATOM atom = RegisterClassA(&cls);
    return atom ? atom : ATOM(GetClassInfoA(instance, SCENE_VIEW_CLASS, &cls));
}

HWND CreateSceneView(HWND parent, HINSTANCE instance, int id, QiToken kind, const char *name)
{
    SceneView setup = {};
    setup.kind = kind;
    setup.name = name;
    return CreateWindowExA(0, SCENE_VIEW_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &setup);
}

const SceneView *SceneViewOf(HWND window)
{
    return ViewOf(window);
}

RenderOptions SceneViewRenderOptions(const SceneView &view)
{
    RenderOptions options;
    options.width = view.width;
    options.height = view.height;
    options.lightGiven = true;
    options.lightX = view.lightX;
    options.lightY = view.lightY;
    options.scene = true;
    return options;
}

void RenderSceneView(HWND window)
{
    if (SceneView *view = ViewOf(window))
        SceneView_Render(view);
}

void MoveSceneViewLight(HWND window, int32_t x, int32_t y)
{
    if (SceneView *view = ViewOf(window)) {
        view->lightPlaced = true;
        SceneView_PlaceLight(view, x, y);
        SceneView_Render(view);
    }
}
