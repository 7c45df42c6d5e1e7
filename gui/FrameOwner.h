#pragma once
// What the toolkit needs from the editor that owns a frame: the process's knob mode, the paced idle that
// a control runs while it holds the mouse, and the host's begin-edit and end-edit around a gesture. The
// editor implements it, so that the toolkit knows nothing of the layer above it.

#include <cstdint>

// The knob mode that drags linearly; any other value drags around the knob's centre.
constexpr int32_t kLinearKnobs = 2;

class FrameOwner {
public:
    virtual int32_t knobMode() const = 0;
    virtual void pumpIdle() = 0;
    virtual void beginEdit(int32_t tag) = 0;
    virtual void endEdit(int32_t tag) = 0;

protected:
    ~FrameOwner() = default;
};
