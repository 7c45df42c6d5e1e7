#pragma once
// The compressor panel, described once: its bitmaps and, in drawing order, what each control shows,
// where its top-left corner sits and which bitmap draws it. The editor builds the panel from it, the
// artwork generator paints the bitmaps to it and the tests look for the controls where it says.
// A control is as wide as its bitmap and as high as one frame of it.

#include "resources/ResourceIds.h"

#include <cstdint>
#include <string_view>

namespace panelLayout {

// A bitmap of the library; a film strip stacks its frames top to bottom.
struct Picture {
    int32_t resource;
    int32_t frameWidth;
    int32_t frameHeight;
    int32_t frames; // 1 for a single picture
};

constexpr Picture kBackground{IDB_BACKGROUND, 660, 259, 1}; // also gives the panel's size
constexpr Picture kKnob{IDB_KNOB, 66, 66, 101};
constexpr Picture kSelector{IDB_TIME_CONSTANT_SELECTOR, 72, 72, 6};
constexpr Picture kLamp{IDB_INPUT_LAMP, 38, 58, 6};
constexpr Picture kNeedle{IDB_GAIN_REDUCTION_NEEDLE, 76, 67, 74};
constexpr Picture kMeterUnlit{IDB_METER_UNLIT, 4, 44, 1};
constexpr Picture kMeterLit{IDB_METER_LIT, 4, 44, 1};

// The pictures an open panel holds besides the background, in the order the editor loads them.
constexpr const Picture* kControlPictures[] = {&kKnob,   &kSelector,   &kLamp,
                                               &kNeedle, &kMeterUnlit, &kMeterLit};

enum class Kind {
    knob,    // a film-strip knob driving a parameter
    display, // a film strip showing a level
    meter,   // a segment meter showing a level: lit picture over the unlit one
};

struct Placement {
    const char* name;
    Kind kind;
    int32_t shows; // the plug-in's parameter or level index
    int32_t left;
    int32_t top;
    const Picture* picture; // a meter's lit picture; its unlit one is kMeterUnlit

    constexpr int32_t right() const { return left + picture->frameWidth; }
    constexpr int32_t bottom() const { return top + picture->frameHeight; }
};

constexpr Placement kControls[] = {
    {"attack", Kind::knob, 1, 220, 98, &kKnob},
    {"threshold", Kind::knob, 0, 320, 98, &kKnob},
    {"time constant", Kind::knob, 2, 418, 98, &kSelector},
    {"gain", Kind::knob, 3, 543, 163, &kKnob},
    {"gain-reduction needle", Kind::display, 22, 72, 105, &kNeedle},
    {"left input lamp", Kind::display, 23, 532, 27, &kLamp},
    {"right input lamp", Kind::display, 24, 584, 27, &kLamp},
    {"left output meter", Kind::meter, 25, 527, 149, &kMeterLit},
    {"right output meter", Kind::meter, 26, 623, 149, &kMeterLit},
};

constexpr int32_t kMeterSegments = 10;

// The control of that name, or null.
constexpr const Placement* placementNamed(std::string_view name) {
    for (const Placement& placement : kControls)
        if (name == placement.name) return &placement;
    return nullptr;
}

} // namespace panelLayout
