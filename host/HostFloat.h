#pragma once
// Floats from the host become integers only through these: converting NaN, an infinity or a value
// beyond the 32-bit range with a plain cast is undefined.

#include <cstdint>
#include <limits>

// True when the value truncated toward zero is a 32-bit integer; false for NaN.
constexpr bool fitsInt32(double value) { return value > -2147483649.0 && value < 2147483648.0; }

// Truncated toward zero; a value beyond the range gives its nearer end, NaN gives 0.
constexpr int32_t saturatedInt32(double value) {
    if (fitsInt32(value)) return int32_t(value);
    if (value > 0.0) return std::numeric_limits<int32_t>::max();
    return value < 0.0 ? std::numeric_limits<int32_t>::min() : 0;
}
