#pragma once
// WAV files as the renderer reads and writes them: 16- and 24-bit integer or 32-bit float samples, one
// or two channels, held as planar 32-bit floats. Failures are answered as a text saying what is wrong;
// an empty text means success.

#include <cstdint>
#include <string>
#include <vector>

enum class SampleFormat { Integer16, Integer24, Float32 };

struct AudioData {
    int32_t sampleRate = 0;
    std::vector<std::vector<float>> channels;

    int32_t frames() const { return channels.empty() ? 0 : int32_t(channels[0].size()); }
};

std::string decodeWav(const std::vector<uint8_t>& bytes, AudioData& audio);
std::vector<uint8_t> encodeWav(const AudioData& audio, SampleFormat format);

std::string readWavFile(const std::string& path, AudioData& audio);
std::string writeWavFile(const std::string& path, const AudioData& audio, SampleFormat format);
