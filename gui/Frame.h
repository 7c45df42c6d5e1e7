#pragma once
// The root of an open panel: a view as large as the panel that owns the child window in the host's
// window, the background bitmap and the views on it. It turns window messages into view calls,
// redraws dirty views when the editor idles, routes keys, wheel turns and drops to the right view, and
// lets views reach their owner (the editor, through the toolkit's FrameOwner interface). Window and module
// handles are kept opaque here so that views can know their frame without the Windows header.

#include "gui/BitmapReference.h"
#include "gui/FrameOwner.h"
#include "gui/OleUse.h"
#include "gui/View.h"
#include "gui/ViewList.h"

#include <optional>

class DropTarget;

class Frame : public View {
public:
    Frame(const Rect& bounds, void* parentWindow, FrameOwner* owner);
    ~Frame() override;

    // The owner's close, in place of deleting the frame: it stops drawing, ends a running gesture's
    // loop at once, and goes with its window and views when the last reference is released. Every
    // input pass (a press with the drag loop inside it, a wheel turn, a key) holds a reference, so a
    // host that closes the panel from any request the pass sends deletes nothing under it. An edit
    // still open is ended towards the owner now, and the frame forgets its owner: the owner may go
    // before the pass returns.
    void close();
    // False once closed or once the host destroyed the window.
    bool open() const { return isOpen; }

    void draw(DrawContext* context) override;
    void drawInRect(DrawContext* context, const Rect& area) override;
    void mouseDown(DrawContext* context, Point where) override;
    void redrawIfDirty(DrawContext* context) override;
    int32_t keyDown(VstKeyCode& key) override;
    int32_t keyUp(VstKeyCode& key) override;
    bool dropReceived(char** items, int32_t count, int32_t kind, Point where) override;
    bool wheelTurned(DrawContext* context, Point where, float distance) override;
    FrameOwner* ownerEditor() override { return owner; }

    // Slots 32 to 37: the views. The frame takes over the reference of a view it is given.
    virtual bool addView(View* view);
    virtual bool removeView(View* view, bool release);
    virtual bool removeAllViews(bool release);
    virtual bool containsView(View* view) { return views.contains(view); }
    virtual int32_t viewCount() { return views.size(); }
    virtual View* viewAt(int32_t index) { return views.at(index); }

    // Holds one reference to the bitmap; nothing is redrawn.
    void setBackgroundBitmap(Bitmap* bitmap);
    // The editor's idle step: redraws the views that need it, once the window has been painted.
    void redrawDirtyViews();
    // Draws the view if it is one of the frame's, otherwise the whole frame.
    void redrawView(View* view);
    bool anythingNeedsRedraw();
    View* viewUnderCursor();
    // The cursor relative to the window, or on the screen when there is no window.
    bool cursorPosition(Point& out);
    // The focus view loses the focus (without a context) when another one takes it.
    void setFocusView(View* view);
    void beginEdit(int32_t tag);
    void endEdit(int32_t tag);
    int32_t knobMode() const;
    void pumpIdle();

    // The frame's own window, or null.
    void* windowHandle() const { return window; }

private:
    class WindowPass;
    void createWindow();
    void registerDropTarget();
    void revokeDropTarget();
    void releaseImagingLibrary();
    int32_t routeKey(int32_t (View::*handler)(VstKeyCode&), VstKeyCode& key);

    FrameOwner* owner;
    OleUse ole; // for the drop target; begun before the window is made, ended after it is gone
    void* parentWindow;
    BitmapReference backgroundBitmap;
    ViewList views;
    View* focusView = nullptr;
    std::optional<int32_t> openEdit; // the tag between a gesture's begin-edit and its end-edit
    bool firstPaintPending = true;
    bool isOpen = true;
    DropTarget* dropTarget = nullptr; // registered for the window; the frame holds a reference of its own
    void* window = nullptr;
    void* imagingLibrary = nullptr;

    friend class FrameWindowProcedure;
};
