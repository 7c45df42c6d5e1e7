#pragma once
// The arithmetic of a segment meter: how its shown level follows the measured one from redraw to redraw,
// and where the edge between lit and unlit segments falls.

#include <cstdint>

// A rise is shown at once, a fall by at most fallStep per redraw. A NaN level is shown as no level, and
// a fall step that is not positive lets the level drop at once, so the shown level always settles.
float nextShownLevel(float shown, float level, float fallStep);

// The pixel edge after round(fraction × segments) whole segments, 0 to extent; no meter without
// segments lights any.
int32_t segmentEdge(float fraction, int32_t segments, int32_t extent);
