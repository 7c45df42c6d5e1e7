#pragma once
// For the life of one block: flush-to-zero and denormals-are-zero set in the SSE control register, so
// that long silence and decaying meter holds cost no more than loud audio. The host's floating-point
// state comes back on destruction.

#include <xmmintrin.h>

class DenormalFlush {
public:
    DenormalFlush() : hostState(_mm_getcsr()) { _mm_setcsr(hostState | kFlushToZero | kDenormalsAreZero); }
    ~DenormalFlush() { _mm_setcsr(hostState); }
    DenormalFlush(const DenormalFlush&) = delete;
    DenormalFlush& operator=(const DenormalFlush&) = delete;

    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;

private:
    unsigned hostState;
};
