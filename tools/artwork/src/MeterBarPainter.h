#pragma once

#include "Image16.h"
#include "Layout.h"

// The output level meters: eleven segments of three lit rows under one dark row each, read from the
// bottom; the lower eight green, the upper three amber. The editor shows a level by copying rows of the
// lit bar over the unlit one.
namespace meterBar {

constexpr int width = panelLayout::kMeterLit.frameWidth;
constexpr int segments = 11;
constexpr int rowsPerSegment = 4;
constexpr int height = segments * rowsPerSegment;
static_assert(height == panelLayout::kMeterLit.frameHeight, "the segments fill the meter's bitmap");
constexpr int amberSegments = 3;

Image16 paint(bool lit);

} // namespace meterBar
