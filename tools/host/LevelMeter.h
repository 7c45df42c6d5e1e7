#pragma once
// Peak and RMS of all samples it has seen, in dBFS (-inf for silence).

#include <cstdint>

class LevelMeter {
public:
    void add(const float* samples, int32_t count);
    double peakDecibels() const;
    double rmsDecibels() const;

private:
    double peak = 0.0;
    double sumOfSquares = 0.0;
    int64_t count = 0;
};
