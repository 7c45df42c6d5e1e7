// Frame choice on the panel's strips: the knob's frame at or below its value, the display's nearest
// frame, and the values that lie outside the strip.

#include "gui/FilmstripFrames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct FrameCase {
    const char* strip;
    int32_t frames, height;
    float value;
    int32_t expectedFrame;
};

const float kNaN = std::nanf("");
const float kJustBelowOne = std::nextafter(1.0f, 0.0f);

TEST(FilmstripFramesTest, KnobsShowTheFrameAtOrBelowTheirValue) {
    const FrameCase cases[] = {
        {"knob", 101, 66, 0.0f, 0},           {"knob", 101, 66, 0.5f, 50},   {"knob", 101, 66, 0.299f, 29},
        {"knob", 101, 66, kJustBelowOne, 99}, {"knob", 101, 66, 1.0f, 100},  {"knob", 101, 66, 1.5f, 100},
        {"knob", 101, 66, 1e30f, 100},        {"knob", 101, 66, -0.2f, 0},   {"knob", 101, 66, kNaN, 0},
        {"selector", 6, 72, 0.2f, 1},         {"selector", 6, 72, 0.4f, 2},  {"selector", 6, 72, 0.6f, 3},
        {"selector", 6, 72, 0.8f, 4},         {"selector", 6, 72, 1.0f, 5},  {"selector", 6, 72, 0.39f, 1},
        {"no height", 6, 0, 0.5f, 0},         {"one frame", 1, 72, 0.5f, 0},
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(knobFrameTop(c.value, c.frames, c.height, false), c.expectedFrame * c.height)
            << c.strip << " at " << c.value;
}

TEST(FilmstripFramesTest, InvertedKnobsRunFromTheLastFrame) {
    const FrameCase cases[] = {
        {"knob", 101, 66, 0.0f, 100}, {"knob", 101, 66, 1.0f, 0}, {"knob", 101, 66, 0.5f, 50},
        {"knob", 101, 66, 0.25f, 75}, {"knob", 101, 66, 1.5f, 0}, {"selector", 6, 72, 0.0f, 5},
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(knobFrameTop(c.value, c.frames, c.height, true), c.expectedFrame * c.height)
            << c.strip << " at " << c.value;
}

TEST(FilmstripFramesTest, DisplaysShowTheNearestFrame) {
    const FrameCase cases[] = {
        {"needle", 74, 67, 0.5f, 37}, {"needle", 74, 67, 1.7f, 73},  {"needle", 74, 67, -0.2f, 0},
        {"needle", 74, 67, kNaN, 0},  {"needle", 74, 67, 1.0f, 73},  {"lamp", 6, 58, 0.45f, 2},
        {"lamp", 6, 58, 0.95f, 5},    {"lamp", 6, 58, 0.05f, 0},     {"lamp", 6, 58, 0.11f, 1},
        {"no height", 6, 0, 0.5f, 0}, {"one frame", 1, 58, 0.9f, 0},
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(displayFrameTop(c.value, c.frames, c.height), c.expectedFrame * c.height)
            << c.strip << " at " << c.value;
}

} // namespace
