#include "gui/KnobDrag.h"

#include <cmath>

double ValueGrid::exact(float value) const {
    const double point = std::nearbyint(double(value) / step) * step;
    return float(point) == value ? point : double(value);
}

LinearDrag::LinearDrag(Point pressedAt, float value, float valueSpan, float factor, bool fineAtPress)
    : anchor(pressedAt), entryValue(ValueGrid(valueSpan).exact(value)), span(valueSpan), fineFactor(factor),
      fine(fineAtPress), coefficient(rate(fineAtPress)) {}

float LinearDrag::follow(Point where, bool fineNow) {
    const int32_t diff = (where.x - anchor.x) + (anchor.y - where.y);
    if (fineNow != fine) {
        const double newCoefficient = rate(fineNow);
        entryValue += double(diff) * (coefficient - newCoefficient);
        coefficient = newCoefficient;
        fine = fineNow;
    }
    return float(entryValue + double(diff) * coefficient);
}

CircularDrag::CircularDrag(float pressed, float low, float high)
    : old(pressed), minimum(low), maximum(high), half((high - low) * 0.5f) {}

float CircularDrag::follow(float pointed) {
    if (old - pointed > half) return maximum;
    if (pointed - old > half) return minimum;
    old = pointed;
    return pointed;
}
