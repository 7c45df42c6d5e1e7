#include "gui/Frame.h"

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/DropTarget.h"
#include "gui/ModuleHandle.h"
#include "gui/PointerInput.h"
#include "gui/ToolkitState.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <new>
#include <ole2.h>

bool swapButtons = false;
TransparentBltFunction transparentBltEntry = nullptr;

namespace {

// Every frame of the process shares one window class, registered by the first frame and
// unregistered by the last. Its name carries the whole module handle, so that two modules loaded in one
// process never share a class (a 64-bit handle may need all sixteen digits).
char windowClassName[24];
int32_t windowClassUsers = 0;

// Every frame holds msimg32.dll for the entry it found there; the last one to free it clears the entry.
int32_t imagingLibraryUsers = 0;

HWND asWindow(void* handle) { return static_cast<HWND>(handle); }

// One reference on a view for the length of an input pass.
class ViewHold {
public:
    explicit ViewHold(View& held) : view(held) { view.addReference(); }
    ViewHold(const ViewHold&) = delete;
    ViewHold& operator=(const ViewHold&) = delete;
    ~ViewHold() { view.releaseReference(); }

private:
    View& view;
};

// TransparentBlt is trusted only on the NT family of systems.
TransparentBltFunction findTransparentBlt(HMODULE library) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version) || version.dwPlatformId < VER_PLATFORM_WIN32_NT) return nullptr;
    // Through the generic function type: the export's real signature is known only to this line.
    auto generic = reinterpret_cast<void (*)()>(GetProcAddress(library, "TransparentBlt"));
    return reinterpret_cast<TransparentBltFunction>(generic);
}

} // namespace

// The frame's window messages: paint and button presses become view calls, the rest is the system's.
class FrameWindowProcedure {
public:
    // False, with the class not counted as used, when it could not be registered.
    static bool registerClass();
    static void unregisterClass();
    static LRESULT CALLBACK handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT destroyed(Frame& frame, HWND window, WPARAM wParam, LPARAM lParam);
    static LRESULT paint(Frame& frame, HWND window, WPARAM wParam, LPARAM lParam);
    static LRESULT buttonDown(Frame& frame, HWND window, LPARAM lParam);
    static LRESULT wheel(Frame& frame, WPARAM wParam);
};

// A drawing context on a device context of the frame's window, for one pass.
class Frame::WindowPass {
public:
    explicit WindowPass(Frame& frame)
        : device(asWindow(frame.window)), context(&frame, device.handle, device.window) {}

    DrawContext* operator->() { return &context; }
    operator DrawContext*() { return &context; }

private:
    // The window's device context, given back when the pass ends.
    struct Device {
        explicit Device(HWND owner) : window(owner), handle(GetDC(owner)) {}
        Device(const Device&) = delete;
        Device& operator=(const Device&) = delete;
        ~Device() { ReleaseDC(window, handle); }

        HWND window;
        HDC handle;
    };

    // Members go in reverse order: the context puts its pen and brush back before the device goes.
    Device device;
    DrawContext context;
};

bool FrameWindowProcedure::registerClass() {
    if (++windowClassUsers != 1) return true;
    std::snprintf(windowClassName, sizeof windowClassName, "Plugin%08" PRIxPTR,
                  reinterpret_cast<uintptr_t>(moduleHandle));
    WNDCLASSA windowClass{};
    windowClass.style = CS_GLOBALCLASS; // no CS_DBLCLKS: a double click is two presses
    windowClass.lpfnWndProc = handle;
    windowClass.hInstance = moduleHandle;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassA(&windowClass)) {
        --windowClassUsers;
        return false;
    }
    swapButtons = GetSystemMetrics(SM_SWAPBUTTON) > 0;
    return true;
}

void FrameWindowProcedure::unregisterClass() {
    if (--windowClassUsers == 0) UnregisterClassA(windowClassName, moduleHandle);
}

LRESULT CALLBACK FrameWindowProcedure::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Frame* frame = reinterpret_cast<Frame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (frame) {
        switch (message) {
        case WM_DESTROY:
            return destroyed(*frame, window, wParam, lParam);
        case WM_PAINT:
            return paint(*frame, window, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return buttonDown(*frame, window, lParam);
        case WM_MOUSEWHEEL:
            return wheel(*frame, wParam);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT FrameWindowProcedure::destroyed(Frame& frame, HWND window, WPARAM wParam, LPARAM lParam) {
    frame.isOpen = false;
    frame.parentWindow = nullptr;
    frame.revokeDropTarget(); // while the window still exists to revoke it from
    return DefWindowProcA(window, WM_DESTROY, wParam, lParam);
}

LRESULT FrameWindowProcedure::paint(Frame& frame, HWND window, WPARAM wParam, LPARAM lParam) {
    RECT update;
    if (!GetUpdateRect(window, &update, FALSE)) return DefWindowProcA(window, WM_PAINT, wParam, lParam);
    PAINTSTRUCT paint;
    HDC device = BeginPaint(window, &paint);
    {
        DrawContext context(&frame, device, window);
        frame.drawInRect(&context,
                         {paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom});
    }
    EndPaint(window, &paint);
    return 0;
}

// The press holds the frame for the whole pass: a close from inside the drag loop takes effect when the
// pass's drawing context is gone, and may destroy the frame and this window there.
LRESULT FrameWindowProcedure::buttonDown(Frame& frame, HWND, LPARAM lParam) {
    ViewHold hold(frame);
    Frame::WindowPass pass(frame);
    frame.mouseDown(pass, {LOWORD(lParam), HIWORD(lParam)});
    return 0;
}

// The system sends the wheel to the window under the cursor; the frame hands it to the view there, and
// opens a drawing pass only when a view is there to take the turn.
LRESULT FrameWindowProcedure::wheel(Frame& frame, WPARAM wParam) {
    frame.wheelTurned(nullptr, {0, 0}, float(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA);
    return 0;
}

Frame::Frame(const Rect& bounds, void* parent, FrameOwner* frameOwner)
    : View(bounds), owner(frameOwner), parentWindow(parent) {
    imagingLibrary = LoadLibraryA("msimg32.dll");
    if (imagingLibrary) {
        ++imagingLibraryUsers;
        transparentBltEntry = findTransparentBlt(static_cast<HMODULE>(imagingLibrary));
    }
    createWindow();
}

void Frame::createWindow() {
    if (!parentWindow || !FrameWindowProcedure::registerClass()) return;
    window = CreateWindowExA(0, windowClassName, "Window", WS_CHILD | WS_VISIBLE, 0, 0, boundsRect.width(),
                             boundsRect.height(), asWindow(parentWindow), nullptr, moduleHandle, nullptr);
    if (!window) {
        // A frame without a window never unregisters, so it gives up its use of the class now.
        FrameWindowProcedure::unregisterClass();
        return;
    }
    SetWindowLongPtrA(asWindow(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    registerDropTarget();
}

void Frame::registerDropTarget() {
    if (!window || !ole.begun()) return;
    dropTarget = new (std::nothrow) DropTarget(this);
    if (!dropTarget) return;
    dropTarget->AddRef();
    if (SUCCEEDED(RegisterDragDrop(asWindow(window), dropTarget))) return;
    dropTarget->Release();
    dropTarget = nullptr;
}

// A drag in progress may hold the target beyond this point, so it is detached from the frame as well.
void Frame::revokeDropTarget() {
    if (!dropTarget) return;
    RevokeDragDrop(asWindow(window));
    dropTarget->detach();
    dropTarget->Release();
    dropTarget = nullptr;
}

Frame::~Frame() {
    revokeDropTarget();
    removeAllViews(true);
    backgroundBitmap.reset(nullptr);
    releaseImagingLibrary();
    if (!window) return;
    SetWindowLongPtrA(asWindow(window), GWLP_USERDATA, 0);
    DestroyWindow(asWindow(window));
    FrameWindowProcedure::unregisterClass();
}

void Frame::releaseImagingLibrary() {
    if (!imagingLibrary) return;
    if (--imagingLibraryUsers == 0) transparentBltEntry = nullptr;
    FreeLibrary(static_cast<HMODULE>(imagingLibrary));
}

void Frame::close() {
    if (openEdit) endEdit(*openEdit);
    owner = nullptr;
    isOpen = false;
    releaseReference();
}

void Frame::draw(DrawContext* context) {
    firstPaintPending = false;
    if (backgroundBitmap)
        backgroundBitmap->drawOpaque(*context, {0, 0, backgroundBitmap->width, backgroundBitmap->height},
                                     {0, 0});
    for (View* view : views)
        view->draw(context);
}

// Each overlapping view draws itself whole; only the background is limited to the area.
void Frame::drawInRect(DrawContext* context, const Rect& area) {
    firstPaintPending = false;
    if (backgroundBitmap) backgroundBitmap->drawOpaque(*context, area, {area.left, area.top});
    for (View* view : views)
        if (view->overlaps(area)) view->drawInRect(context, area);
}

// A view that does not take the mouse does not hide the views under it.
void Frame::mouseDown(DrawContext* context, Point where) {
    setFocusView(nullptr);
    const int32_t buttons = context ? context->pressButtons() : -1;
    View* hit =
        views.findFromTop([&](View& view) { return view.mouseEnabled() && view.hitTest(where, buttons); });
    if (hit) hit->mouseDown(context, where);
}

void Frame::redrawIfDirty(DrawContext* context) {
    if (!isOpen) return;
    if (needsRedraw()) {
        draw(context);
        markDirty(false);
        return;
    }
    for (View* view : views)
        view->redrawIfDirty(context);
}

int32_t Frame::keyDown(VstKeyCode& key) { return routeKey(&View::keyDown, key); }

int32_t Frame::keyUp(VstKeyCode& key) { return routeKey(&View::keyUp, key); }

// The focus view is asked first, then every view from the top; it may be asked twice. A key step may
// reach the host, which may close the plug-in from there: the pass holds the frame.
int32_t Frame::routeKey(int32_t (View::*handler)(VstKeyCode&), VstKeyCode& key) {
    ViewHold hold(*this);
    int32_t result = focusView ? (focusView->*handler)(key) : -1;
    if (result != -1) return result;
    views.findFromTop([&](View& view) { return (result = (view.*handler)(key)) != -1; });
    return result;
}

// A view holding the focus is in the middle of a gesture: nothing is dropped meanwhile.
bool Frame::dropReceived(char** items, int32_t count, int32_t kind, Point where) {
    if (focusView) return false;
    Rect area;
    return views.findFromTop([&](View& view) {
        return view.mouseEnabled() && view.bounds(area).contains(where) &&
               view.dropReceived(items, count, kind, where);
    }) != nullptr;
}

// The view under the cursor gets the cursor's current position, whatever point the caller gave. The
// pass holds the frame, as a key's does.
bool Frame::wheelTurned(DrawContext* context, Point, float distance) {
    ViewHold hold(*this);
    View* view = viewUnderCursor();
    if (!view) return false;
    Point where;
    cursorPosition(where);
    if (context) return view->wheelTurned(context, where, distance);
    if (!window) return false;
    WindowPass pass(*this);
    return view->wheelTurned(pass, where, distance);
}

bool Frame::addView(View* view) {
    if (!views.append(view)) return false;
    view->setFrame(this);
    view->attachedTo(this);
    return true;
}

// A view that leaves takes the focus with it: a later press would otherwise reach it after it is gone.
bool Frame::removeView(View* view, bool release) {
    if (view == focusView && views.contains(view)) focusView = nullptr;
    views.remove(view, this, release);
    return true;
}

bool Frame::removeAllViews(bool release) {
    setFocusView(nullptr);
    views.clear(this, release);
    return true;
}

void Frame::setBackgroundBitmap(Bitmap* bitmap) { backgroundBitmap.reset(bitmap); }

// Nothing is drawn before the window's first paint has laid down the background.
void Frame::redrawDirtyViews() {
    if (!isOpen || firstPaintPending || !window || !anythingNeedsRedraw()) return;
    WindowPass pass(*this);
    redrawIfDirty(pass);
}

void Frame::redrawView(View* view) {
    if (!window) return;
    WindowPass pass(*this);
    if (view && views.contains(view))
        view->draw(pass);
    else
        draw(pass);
}

bool Frame::anythingNeedsRedraw() {
    return needsRedraw() ||
           std::any_of(views.begin(), views.end(), [](View* view) { return view->needsRedraw(); });
}

View* Frame::viewUnderCursor() {
    Point where;
    cursorPosition(where);
    Rect area;
    return views.findFromTop([&](View& view) { return view.bounds(area).contains(where); });
}

bool Frame::cursorPosition(Point& out) {
    out = PointerInput::current().screenCursor();
    if (!window) return true;
    RECT outer{};
    GetWindowRect(asWindow(window), &outer);
    out = {out.x - outer.left, out.y - outer.top};
    return true;
}

void Frame::setFocusView(View* view) {
    View* previous = focusView;
    focusView = view;
    if (previous) previous->focusLost(nullptr);
}

// Noted before the owner hears of it, so that a close from inside the host's begin-edit still ends it.
void Frame::beginEdit(int32_t tag) {
    openEdit = tag;
    if (owner) owner->beginEdit(tag);
}

void Frame::endEdit(int32_t tag) {
    openEdit.reset();
    if (owner) owner->endEdit(tag);
}

int32_t Frame::knobMode() const { return owner ? owner->knobMode() : 0; }

void Frame::pumpIdle() {
    if (owner) owner->pumpIdle();
}
