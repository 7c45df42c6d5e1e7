#include "tools/host/LevelMeter.h"

#include <cmath>
#include <limits>

namespace {

double decibels(double level) {
    return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

} // namespace

void LevelMeter::add(const float* samples, int32_t frames) {
    for (int32_t i = 0; i < frames; ++i) {
        const double sample = samples[i];
        peak = std::fmax(peak, std::abs(sample));
        sumOfSquares += sample * sample;
    }
    count += frames;
}

double LevelMeter::peakDecibels() const { return decibels(peak); }

double LevelMeter::rmsDecibels() const {
    return decibels(count > 0 ? std::sqrt(sumOfSquares / static_cast<double>(count)) : 0.0);
}
