#pragma once
// The loop that hands a signal to a processor in blocks, as a host does.

#include "tools/host/StereoSignal.h"

#include <algorithm>
#include <cstdint>

// Calls block(start, count) for consecutive blocks of blockSize frames covering frames; the last block
// may be shorter.
template <typename Block> void forEachBlock(int32_t frames, int32_t blockSize, Block block) {
    for (int32_t start = 0; start < frames; start += blockSize)
        block(start, std::min(blockSize, frames - start));
}
