#include "gui/KnobDrag.h"

LinearDrag::LinearDrag(Point pressedAt, float value, float valueSpan, float factor, bool fineAtPress)
    : anchor(pressedAt), entryValue(value), span(valueSpan), fineFactor(factor), fine(fineAtPress),
      coefficient(rate(fineAtPress)) {}

float LinearDrag::follow(Point where, bool fineNow) {
    const int32_t diff = (where.x - anchor.x) + (anchor.y - where.y);
    if (fineNow != fine) {
        const float newCoefficient = rate(fineNow);
        entryValue += float(diff) * (coefficient - newCoefficient);
        coefficient = newCoefficient;
        fine = fineNow;
    }
    return entryValue + float(diff) * coefficient;
}

CircularDrag::CircularDrag(float pressed, float low, float high)
    : old(pressed), minimum(low), maximum(high), half((high - low) * 0.5f) {}

float CircularDrag::follow(float pointed) {
    if (old - pointed > half) return maximum;
    if (pointed - old > half) return minimum;
    old = pointed;
    return pointed;
}
