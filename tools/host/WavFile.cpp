#include "tools/host/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint16_t kPcmTag = 1;
constexpr uint16_t kFloatTag = 3;
constexpr uint16_t kExtensibleTag = 0xFFFE;

uint32_t readLittle(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

void appendLittle(std::vector<uint8_t>& bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(uint8_t(value >> (8 * i)));
}

void appendTag(std::vector<uint8_t>& bytes, const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }

struct Format {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
};

struct Chunks {
    const uint8_t* format = nullptr;
    uint32_t formatSize = 0;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
};

std::string findChunks(const std::vector<uint8_t>& bytes, Chunks& chunks) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(&bytes[8], "WAVE", 4) != 0)
        return "not a RIFF WAVE file";
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = readLittle(&bytes[at + 4], 4);
        if (size > bytes.size() - at - 8) return "a chunk runs past the end of the file";
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0) {
            chunks.format = &bytes[at + 8];
            chunks.formatSize = size;
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            chunks.data = &bytes[at + 8];
            chunks.dataSize = size;
        }
        at += 8 + std::size_t(size) + (size & 1);
    }
    if (!chunks.format) return "no format chunk";
    if (!chunks.data) return "no data chunk";
    return "";
}

std::string readFormat(const Chunks& chunks, Format& format) {
    if (chunks.formatSize < 16) return "the format chunk is too short";
    const uint8_t* bytes = chunks.format;
    format.tag = uint16_t(readLittle(bytes, 2));
    format.channels = uint16_t(readLittle(bytes + 2, 2));
    format.sampleRate = readLittle(bytes + 4, 4);
    format.blockAlign = uint16_t(readLittle(bytes + 12, 2));
    format.bits = uint16_t(readLittle(bytes + 14, 2));
    if (format.tag == kExtensibleTag) {
        if (chunks.formatSize < 26) return "the extensible format chunk is too short";
        format.tag = uint16_t(readLittle(bytes + 24, 2));
    }
    const bool integer = format.tag == kPcmTag && (format.bits == 16 || format.bits == 24);
    const bool floating = format.tag == kFloatTag && format.bits == 32;
    if (!integer && !floating)
        return "unsupported sample format (16- or 24-bit integer or 32-bit float only)";
    if (format.channels != 1 && format.channels != 2) return "only mono and stereo files are supported";
    if (format.sampleRate == 0 || format.sampleRate > 1000000) return "the sample rate is out of range";
    if (format.blockAlign != format.channels * format.bits / 8)
        return "the block alignment does not fit the format";
    return "";
}

float decodeSample(const uint8_t* bytes, const Format& format) {
    if (format.tag == kFloatTag) {
        const uint32_t bits = readLittle(bytes, 4);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    const int width = format.bits / 8;
    const uint32_t raw = readLittle(bytes, width);
    const int shift = 32 - format.bits;
    const int32_t value = int32_t(raw << shift) >> shift;
    return float(value) / float(1u << (format.bits - 1));
}

void encodeSample(std::vector<uint8_t>& bytes, float sample, SampleFormat format) {
    if (format == SampleFormat::Float32) {
        uint32_t bits;
        std::memcpy(&bits, &sample, sizeof bits);
        appendLittle(bytes, bits, 4);
        return;
    }
    const int width = format == SampleFormat::Integer16 ? 2 : 3;
    const double scale = double(1u << (8 * width - 1));
    const double clipped = std::clamp(std::nearbyint(double(sample) * scale), -scale, scale - 1);
    appendLittle(bytes, uint32_t(int32_t(std::isnan(clipped) ? 0.0 : clipped)), width);
}

int bytesPerSample(SampleFormat format) {
    return format == SampleFormat::Integer16 ? 2 : format == SampleFormat::Integer24 ? 3 : 4;
}

} // namespace

std::string decodeWav(const std::vector<uint8_t>& bytes, AudioData& audio) {
    Chunks chunks;
    Format format;
    std::string problem = findChunks(bytes, chunks);
    if (problem.empty()) problem = readFormat(chunks, format);
    if (!problem.empty()) return problem;
    if (chunks.dataSize % format.blockAlign != 0) return "the data chunk ends inside a sample frame";
    const uint32_t frames = chunks.dataSize / format.blockAlign;
    audio.sampleRate = int32_t(format.sampleRate);
    audio.channels.assign(format.channels, std::vector<float>(frames));
    const int width = format.bits / 8;
    for (uint32_t frame = 0; frame < frames; ++frame)
        for (uint16_t channel = 0; channel < format.channels; ++channel)
            audio.channels[channel][frame] =
                decodeSample(chunks.data + std::size_t(frame) * format.blockAlign + channel * width, format);
    return "";
}

std::vector<uint8_t> encodeWav(const AudioData& audio, SampleFormat format) {
    const uint32_t channels = uint32_t(audio.channels.size());
    const uint32_t width = uint32_t(bytesPerSample(format));
    const uint32_t dataSize = uint32_t(audio.frames()) * channels * width;
    std::vector<uint8_t> bytes;
    bytes.reserve(44 + dataSize + 1);
    appendTag(bytes, "RIFF");
    appendLittle(bytes, 36 + dataSize + (dataSize & 1), 4);
    appendTag(bytes, "WAVE");
    appendTag(bytes, "fmt ");
    appendLittle(bytes, 16, 4);
    appendLittle(bytes, format == SampleFormat::Float32 ? kFloatTag : kPcmTag, 2);
    appendLittle(bytes, channels, 2);
    appendLittle(bytes, uint32_t(audio.sampleRate), 4);
    appendLittle(bytes, uint32_t(audio.sampleRate) * channels * width, 4);
    appendLittle(bytes, channels * width, 2);
    appendLittle(bytes, 8 * width, 2);
    appendTag(bytes, "data");
    appendLittle(bytes, dataSize, 4);
    for (int32_t frame = 0; frame < audio.frames(); ++frame)
        for (const std::vector<float>& channel : audio.channels)
            encodeSample(bytes, channel[frame], format);
    if (dataSize & 1) bytes.push_back(0);
    return bytes;
}

std::string readWavFile(const std::string& path, AudioData& audio) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return "cannot open " + path;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return "cannot read " + path;
    const std::string problem = decodeWav(bytes, audio);
    return problem.empty() ? problem : path + ": " + problem;
}

std::string writeWavFile(const std::string& path, const AudioData& audio, SampleFormat format) {
    const std::vector<uint8_t> bytes = encodeWav(audio, format);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return "cannot create " + path;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? "" : "cannot write " + path;
}
