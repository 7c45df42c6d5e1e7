#pragma once

// Where everything sits on the panel. The control rectangles are fixed by the editor, which copies each
// film-strip frame opaquely into its rectangle; the painters draw in rectangle-local coordinates.

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

constexpr int panelWidth = 660;
constexpr int panelHeight = 259;

constexpr Rect attackKnob{220, 98, 286, 164};
constexpr Rect thresholdKnob{320, 98, 386, 164};
constexpr Rect gainKnob{543, 163, 609, 229};
constexpr Rect timeConstantSelector{418, 98, 490, 170};
constexpr Rect gainReductionNeedle{72, 105, 148, 172};
constexpr Rect leftInputLamp{532, 27, 570, 85};
constexpr Rect rightInputLamp{584, 27, 622, 85};
constexpr Rect leftOutputMeter{527, 149, 531, 193};
constexpr Rect rightOutputMeter{623, 149, 627, 193};

constexpr int knobFrames = 101;
constexpr int selectorFrames = 6;
constexpr int lampFrames = 6;
constexpr int needleFrames = 74;

} // namespace layout
