#pragma once
// Numbers as texts of at most 8 characters and a NUL, for hosts that show parameter values in a
// narrow field. Digits are truncated, never rounded.

#include <cstdint>

// Sign, integer digits, a point and fraction digits up to 8 characters. A value whose integer part
// does not fit (or an infinite one) reads "Huge!", NaN reads "NaN".
void writeFloatText(float value, char* text);

// Right-aligned in 7 columns, cut after 8 characters; "Huge!" from 100000000 on.
void writeIntegerText(int32_t value, char* text);
