#pragma once
// Who hears of the value changes that a user makes on a control.

class Control;
class DrawContext;

class ControlListener {
public:
    // context is the one of the gesture, so the listener can draw the control at once; null when the
    // change came without one (keys), and the control is then drawn at the next idle.
    virtual void valueChanged(DrawContext* context, Control* control) = 0;

protected:
    ~ControlListener() = default;
};
