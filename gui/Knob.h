#pragma once
// The rotary control. It maps its value to an angle, follows a held mouse linearly or around its centre,
// steps with the wheel and the arrow keys and restores its default on a control-click. The host hears
// one begin-edit and one end-edit around each drag. It draws its face from the background bitmap and a
// handle on it: a two-colour line, or the handle bitmap when one is set.

#include "gui/Control.h"
#include "gui/KnobGeometry.h"

class Knob : public Control {
public:
    // background and handle may be null; the face is drawn from faceOffset in the background.
    Knob(const Rect& bounds, ControlListener* listener, int32_t tag, Bitmap* background, Bitmap* handle,
         Point faceOffset);

    void draw(DrawContext* context) override;
    // Holds the caller here until the primary button is released.
    void mouseDown(DrawContext* context, Point where) override;
    int32_t keyDown(VstKeyCode& key) override;
    bool wheelTurned(DrawContext* context, Point where, float distance) override;

    // Slots 51 to 63.
    virtual void drawHandle(DrawContext* context);
    virtual void setStartAngle(float angle);
    virtual float getStartAngle() { return geometry.startAngle(); }
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle() { return geometry.rangeAngle(); }
    // In the knob's own coordinates, as is the point of pointToValue.
    virtual Point& valueToHandlePoint(Point& out);
    virtual float pointToValue(Point where);
    virtual void setInset(int32_t pixels) { geometry.setInset(pixels); }
    virtual void setHandleShadowColour(Colour colour);
    virtual void setHandleColour(Colour colour);
    virtual void setHandleBitmap(Bitmap* bitmap);
    virtual void setFineFactor(float factor) { fineFactor = factor; }
    virtual float getFineFactor() { return fineFactor; }

private:
    // Keeps the handle's tip clear of the rim by half the handle's width.
    void adoptHandleBitmap(Bitmap* bitmap);
    void restoreDefault(DrawContext* context);
    template <typename Follow> void followPointer(DrawContext* context, Point where, Follow follow);
    void dragLinearly(DrawContext* context, Point where, int32_t buttons);
    void dragAround(DrawContext* context, Point where);
    void nudge(DrawContext* context, float delta, bool fine);
    void drawHandleLine(DrawContext& context, Point tip);

    Point bitmapOffset;
    Colour handleColour{255, 255, 255, 0};
    Colour handleShadowColour{170, 170, 170, 0};
    BitmapReference handleBitmap;
    KnobGeometry geometry;
    float fineFactor = 1.5f;
};
