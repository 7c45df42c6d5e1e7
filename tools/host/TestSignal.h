#pragma once
// The renderer's built-in material: a few seconds of drum-like bursts over a held tone, then the tone
// alone, so that attack, compression and release can all be heard and measured without an input file.

#include "tools/host/WavFile.h"

AudioData makeTestSignal(int32_t sampleRate);
