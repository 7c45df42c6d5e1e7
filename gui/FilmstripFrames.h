#pragma once
// Which frame of a vertical film strip a value shows, as the row where that frame starts. A knob's strip
// shows the frame at or below the value; a display's strip the nearest frame.

#include <cstdint>

// 0 at or below 0 (and for NaN), the last frame at or above 1; inverted strips run from the last frame
// at 0 to the first at 1. A strip without frames or with frames of no height shows row 0.
int32_t knobFrameTop(float value, int32_t frameCount, int32_t frameHeight, bool inverted);

// The nearest frame to value, which is taken as at most 1; frame 0 at or below 0, for NaN and for the
// same degenerate strips.
int32_t displayFrameTop(float value, int32_t frameCount, int32_t frameHeight);
