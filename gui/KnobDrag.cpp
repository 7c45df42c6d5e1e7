#include "gui/KnobDrag.h"

#include <cmath>

namespace {

constexpr double kArithmeticError = 1e-9; // of a step, far above the double rounding of a few operations

} // namespace

ValueGrid::ValueGrid(float span) : step((std::isnormal(span) ? double(span) : 1.0) / kStepsForSpan) {}

double ValueGrid::steps(float value) const {
    const double point = std::nearbyint(double(value) / step);
    return float(point * step) == value ? point : double(value) / step;
}

float ValueGrid::value(double steps) const {
    const double point = std::nearbyint(steps);
    return float((std::fabs(steps - point) < kArithmeticError ? point : steps) * step);
}

LinearDrag::LinearDrag(Point pressedAt, float value, float span, float factor, bool fineAtPress)
    : grid(span), anchor(pressedAt), entrySteps(grid.steps(value)), fineFactor(factor), fine(fineAtPress),
      pixels(pixelsPerStep(fineAtPress)) {}

float LinearDrag::follow(Point where, bool fineNow) {
    const double diff = (where.x - anchor.x) + (anchor.y - where.y);
    if (fineNow != fine) {
        const double newPixels = pixelsPerStep(fineNow);
        entrySteps += diff / pixels - diff / newPixels;
        pixels = newPixels;
        fine = fineNow;
    }
    return grid.value(entrySteps + diff / pixels);
}

CircularDrag::CircularDrag(float pressed, float low, float high)
    : old(pressed), minimum(low), maximum(high), half((high - low) * 0.5f) {}

float CircularDrag::follow(float pointed) {
    if (old - pointed > half) return maximum;
    if (pointed - old > half) return minimum;
    old = pointed;
    return pointed;
}
