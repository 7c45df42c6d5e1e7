#pragma once
// The view that carries a value between a minimum and a maximum, with a default, a tag that names it to
// its listener and a background bitmap. It decides when it must be redrawn (its value differs from the
// value last drawn) and how user changes are reported; subclasses draw and take input. Setting a value
// never draws. A control and its value belong to the user-interface thread: a change made on another
// thread reaches it through its editor, which applies it when it idles.

#include "gui/BitmapReference.h"
#include "gui/View.h"

class ControlListener;

class Control : public View {
public:
    // listener and background may be null; the control holds its own reference on the background.
    Control(const Rect& bounds, ControlListener* listener, int32_t tag, Bitmap* background);

    void draw(DrawContext* context) override = 0;
    // A NaN on either side counts as a change.
    bool needsRedraw() override;
    // Marking puts the drawn value out of step with the value; clearing puts it in step.
    void markDirty(bool state) override;

    // Slots 32 to 50.
    virtual void pumpIdle();
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() { return value; }
    virtual void setMinimum(float bound) { minimum = bound; }
    virtual float getMinimum() { return minimum; }
    virtual void setMaximum(float bound) { maximum = bound; }
    virtual float getMaximum() { return maximum; }
    virtual void setDrawnValue(float shown) { drawnValue = shown; }
    virtual float getDrawnValue() { return drawnValue; }
    virtual void setDefaultValue(float restored) { defaultValue = restored; }
    virtual float getDefaultValue() { return defaultValue; }
    virtual void setTag(int32_t newTag) { controlTag = newTag; }
    virtual void setBackground(Bitmap* bitmap) { background.reset(bitmap); }
    virtual Bitmap* getBackground() { return background.get(); }
    virtual void setBackgroundOffset(Point offset) { backgroundOffset = offset; }
    virtual void alignBackgroundOffset() { backgroundOffset = {boundsRect.left, boundsRect.top}; }
    virtual void setWheelStep(float step) { wheelStep = step; }
    virtual float getWheelStep() { return wheelStep; }
    // Into minimum..maximum; NaN stays NaN.
    virtual void clampValue();

    // Read by the listener to tell its controls apart.
    int32_t tag() const { return controlTag; }
    // False once the control's frame is closed. A host may close the whole plug-in from its handling of
    // any request a gesture sends; that closes the frame first, and the frame and its controls outlive
    // the input pass that holds them. So code that made such a request asks here, not its editor.
    bool inOpenFrame() const;

protected:
    // After a user change: the listener hears of it only if there is something new to draw.
    void reportChange(DrawContext* context);
    // Copies from the bitmap into area, leaving out its key colour when the control is transparent.
    // Nothing is drawn without a context or a bitmap.
    void drawBitmap(DrawContext* context, Bitmap* bitmap, const Rect& area, Point source);

    ControlListener* listener;
    int32_t controlTag;
    float drawnValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
    float wheelStep = 0.1f;
    BitmapReference background;
    Point backgroundOffset{0, 0}; // kept for callers; no control here reads it
};
