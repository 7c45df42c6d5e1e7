#pragma once
// The base of everything a frame holds, and of the frame itself: a rectangle of the panel that draws,
// takes input, remembers that it must be redrawn and is shared by reference counting. The virtual
// operations are declared in their fixed slot order; the defaults call each other through the table so
// that subclasses overriding one of them change the defaults that use it.

#include "gui/Geometry.h"
#include "host/HostRecords.h"

#include <cstdint>

class DrawContext;
class Frame;
class FrameOwner;

class View {
public:
    explicit View(const Rect& bounds);
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Slots 0 to 12: drawing and input.
    virtual ~View() = default;
    virtual void draw(DrawContext* context);
    virtual void drawInRect(DrawContext* context, const Rect& area);
    virtual bool overlaps(const Rect& area);
    virtual void mouseDown(DrawContext*, Point) {}
    virtual void redrawIfDirty(DrawContext* context);
    virtual int32_t extensionHook(int32_t, int32_t) { return 0; }
    virtual int32_t keyDown(VstKeyCode&) { return -1; }
    virtual int32_t keyUp(VstKeyCode&) { return -1; }
    // items: kind 0, count zero-terminated file paths; kind 1, one text of count bytes.
    virtual bool dropReceived(char**, int32_t, int32_t, Point) { return false; }
    virtual bool wheelTurned(DrawContext*, Point, float) { return false; }
    virtual void focusLost(DrawContext*) {}
    virtual void focusGained(DrawContext*) {}

    // Slots 13 to 25: state.
    virtual bool needsRedraw() { return dirty; }
    virtual void markDirty(bool state) { dirty = state; }
    virtual void setMouseEnabled(bool state) { enabledForMouse = state; }
    virtual bool mouseEnabled() { return enabledForMouse; }
    virtual void setMouseArea(const Rect& area) { mouseAreaRect = area; }
    virtual Rect& mouseArea(Rect& out);
    virtual bool hitTest(Point where, int32_t buttons);
    virtual void setTransparent(bool state) { transparent = state; }
    virtual bool isTransparent() { return transparent; }
    virtual void setBounds(const Rect& area);
    virtual Rect& bounds(Rect& out);
    virtual void setParentView(View* parent) { parentView = parent; }
    virtual void setFrame(Frame* owner) { frame = owner; }

    // Slots 26 to 31: ownership.
    virtual FrameOwner* ownerEditor();
    virtual bool detachedFrom(View*) { return true; }
    virtual bool attachedTo(View*) { return true; }
    virtual void releaseReference();
    virtual void addReference() { ++references; }
    virtual int32_t referenceCount() { return references; }

protected:
    int32_t references = 1;
    Rect boundsRect;
    Rect mouseAreaRect;
    Frame* frame = nullptr;
    View* parentView = nullptr;
    bool dirty = false;
    bool enabledForMouse = true;
    bool transparent = false;
};
