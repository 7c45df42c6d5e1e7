#include "gui/FilmstripFrames.h"

#include <algorithm>

// The position is clamped to the strip before it becomes an integer: a value above 1 would otherwise
// pick an offset past the last frame.
int32_t knobFrameTop(float value, int32_t frameCount, int32_t frameHeight, bool inverted) {
    if (!(value >= 0) || frameHeight < 1 || frameCount < 2) return 0;
    const double total = double(frameCount - 1) * frameHeight;
    const double position = (inverted ? 1.0 - double(value) : double(value)) * total;
    const auto row = int32_t(std::clamp(position, 0.0, total));
    return row / frameHeight * frameHeight;
}

int32_t displayFrameTop(float value, int32_t frameCount, int32_t frameHeight) {
    if (!(value > 0) || frameHeight < 1 || frameCount < 2) return 0;
    const float shown = std::min(value, 1.0f);
    return int32_t((frameCount - 1) * shown + 0.5f) * frameHeight;
}
