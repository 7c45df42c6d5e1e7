#pragma once

#include "Colour.h"

// One light, from the upper left, falls on everything: raised parts are bright on that side and cast
// their shadows down and to the right.
namespace palette {

constexpr Colour plate = rgb(0x2f3338);
constexpr Colour plateHighlight = rgb(0x474c53);
constexpr Colour plateShadow = rgb(0x1a1c20);
constexpr Colour legend = rgb(0xebe5d6);
constexpr Colour legendDim = rgb(0xa9a598);
constexpr Colour brass = rgb(0xc9a55e);

constexpr Colour meterFace = rgb(0xf1e8cf);
constexpr Colour meterFaceEdge = rgb(0xd6c9a6);
constexpr Colour meterInk = rgb(0x1d1b18);
constexpr Colour meterAccent = rgb(0xb3321f);

constexpr Colour knobSkirtLight = rgb(0x44484e);
constexpr Colour knobSkirtDark = rgb(0x111214);
constexpr Colour knobCapLight = rgb(0xeceef0);
constexpr Colour knobCapDark = rgb(0x7a7f86);
constexpr Colour pointerInk = rgb(0x16171a);

constexpr Colour lampOff = rgb(0x2b1707);
constexpr Colour lampOn = rgb(0xffa630);
constexpr Colour lampCore = rgb(0xfff3cf);

constexpr Colour meterGreen = rgb(0x52e052);
constexpr Colour meterAmber = rgb(0xffb020);
constexpr Colour meterGap = rgb(0x080808);

} // namespace palette
