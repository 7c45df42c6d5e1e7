#pragma once
// Deterministic white noise from -1 to 1: the same sequence for a seed on every build and machine, so
// signals made from it repeat bit for bit.

#include <cstdint>

class UniformNoise {
public:
    explicit UniformNoise(uint32_t seed) : state(seed) {}

    float next() {
        state = state * 1664525u + 1013904223u;
        return float(state >> 8) / float(1u << 23) - 1.0f;
    }

private:
    uint32_t state;
};
