#include "gui/FilmstripFrames.h"

#include <algorithm>

// The position is clamped to the strip before it becomes an integer: a value above 1 would otherwise
// pick an offset past the last frame.
int32_t knobFrameTop(float value, int32_t frameCount, int32_t frameHeight, bool inverted) {
    if (!(value >= 0) || frameHeight < 1 || frameCount < 2) return 0;
    // In float, as the value itself: 0.7 of 100 frames is frame 70, not the 69 that double would give.
    const float total = float((frameCount - 1) * frameHeight);
    const float position = (inverted ? 1.0f - value : value) * total;
    const auto row = int32_t(std::clamp(position, 0.0f, total));
    return row / frameHeight * frameHeight;
}

int32_t displayFrameTop(float value, int32_t frameCount, int32_t frameHeight) {
    if (!(value > 0) || frameHeight < 1 || frameCount < 2) return 0;
    const float shown = std::min(value, 1.0f);
    return int32_t(float(frameCount - 1) * shown + 0.5f) * frameHeight;
}
