#include "host/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kTextWidth = 8;
constexpr char kHuge[] = "Huge!";

// Integer digits of a non-negative value, most significant first, within the budget of characters
// that remain after the sign and the point. Returns the number of digits written.
int writeIntegerDigits(double magnitude, int budget, char* digits) {
    char reversed[kTextWidth];
    int count = 0;
    double rest = std::floor(magnitude);
    do {
        reversed[count++] = char('0' + int(std::fmod(rest, 10.0)));
        rest *= 0.1;
    } while (rest >= 1.0 && count < budget);
    for (int k = 0; k < count; ++k)
        digits[k] = reversed[count - 1 - k];
    return count;
}

void writeFractionDigits(double magnitude, int count, char* digits) {
    double scaled = std::fmod(magnitude, 1.0) * std::pow(10.0, count);
    for (int k = count - 1; k >= 0; --k) {
        digits[k] = scaled <= 0.0 ? '0' : char('0' + int(std::fmod(scaled, 10.0)));
        scaled *= 0.1;
    }
}

} // namespace

void writeFloatText(float value, char* text) {
    double magnitude = value;
    if (std::isnan(magnitude)) {
        std::strcpy(text, "NaN");
        return;
    }
    bool negative = magnitude < 0.0;
    if (negative) magnitude = -magnitude;
    // Seven integer digits fit beside the point, six beside a sign as well.
    if (!(magnitude < (negative ? 1e6 : 1e7))) {
        std::strcpy(text, kHuge);
        return;
    }
    int used = 0;
    if (negative) text[used++] = '-';
    used += writeIntegerDigits(magnitude, kTextWidth - 1 - used, text + used);
    text[used++] = '.';
    writeFractionDigits(magnitude, kTextWidth - used, text + used);
    text[kTextWidth] = '\0';
}

void writeIntegerText(int32_t value, char* text) {
    if (value >= 100000000) {
        std::strcpy(text, kHuge);
        return;
    }
    char formatted[16];
    std::snprintf(formatted, sizeof formatted, "%7d", int(value));
    formatted[kTextWidth] = '\0';
    std::strcpy(text, formatted);
}
