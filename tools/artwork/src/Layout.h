#pragma once

// Where everything sits on the panel, in the painters' terms, taken from the panel description the
// editor builds from. The editor copies each film-strip frame opaquely into its control's rectangle;
// the painters draw in rectangle-local coordinates.

#include "resources/PanelLayout.h"

struct Point {
    double x;
    double y;
};

struct Rect {
    int left;
    int top;
    int right;  // exclusive
    int bottom; // exclusive

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Point centre() const { return {left + width() / 2.0, top + height() / 2.0}; }
};

namespace layout {

constexpr int panelWidth = panelLayout::kBackground.frameWidth;
constexpr int panelHeight = panelLayout::kBackground.frameHeight;

constexpr Rect rectOf(const panelLayout::Placement& control) {
    return {control.left, control.top, control.right(), control.bottom()};
}
// A name missing from the table stops the compilation here.
constexpr Rect placed(const char* name) { return rectOf(*panelLayout::placementNamed(name)); }

constexpr Rect thresholdKnob = placed("threshold");
constexpr Rect attackKnob = placed("attack");
constexpr Rect timeConstantSelector = placed("time constant");
constexpr Rect gainKnob = placed("gain");
constexpr Rect gainReductionNeedle = placed("gain-reduction needle");
constexpr Rect leftInputLamp = placed("left input lamp");
constexpr Rect rightInputLamp = placed("right input lamp");
constexpr Rect leftOutputMeter = placed("left output meter");
constexpr Rect rightOutputMeter = placed("right output meter");

constexpr int knobFrames = panelLayout::kKnob.frames;
constexpr int selectorFrames = panelLayout::kSelector.frames;
constexpr int lampFrames = panelLayout::kLamp.frames;
constexpr int needleFrames = panelLayout::kNeedle.frames;

} // namespace layout
