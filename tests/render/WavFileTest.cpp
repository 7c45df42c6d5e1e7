// WAV round trips in the three sample formats, and the clear refusals of malformed files.

#include "tools/host/WavFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

AudioData stereoRamp(int32_t frames) {
    AudioData audio;
    audio.sampleRate = 48000;
    audio.channels.assign(2, std::vector<float>(frames));
    for (int32_t i = 0; i < frames; ++i) {
        audio.channels[0][i] = -1.0f + 2.0f * float(i) / float(frames);
        audio.channels[1][i] = 0.25f * audio.channels[0][i];
    }
    return audio;
}

TEST(WavFile, RoundTripInEachFormat) {
    struct Row {
        SampleFormat format;
        float tolerance;
    };
    const Row rows[] = {{SampleFormat::Integer16, 1.0f / 32768},
                        {SampleFormat::Integer24, 1.0f / 8388608},
                        {SampleFormat::Float32, 0.0f}};
    const AudioData original = stereoRamp(1001);
    for (const Row& row : rows) {
        AudioData decoded;
        ASSERT_EQ(decodeWav(encodeWav(original, row.format), decoded), "") << "format " << int(row.format);
        EXPECT_EQ(decoded.sampleRate, 48000);
        ASSERT_EQ(decoded.channels.size(), 2u);
        ASSERT_EQ(decoded.frames(), 1001);
        for (int32_t i = 0; i < 1001; ++i)
            ASSERT_NEAR(decoded.channels[1][i], original.channels[1][i], row.tolerance)
                << "format " << int(row.format) << " frame " << i;
    }
}

TEST(WavFile, IntegerSamplesClipAtFullScale) {
    AudioData loud;
    loud.sampleRate = 44100;
    loud.channels = {{2.0f, -2.0f, 1.0f}};
    AudioData decoded;
    ASSERT_EQ(decodeWav(encodeWav(loud, SampleFormat::Integer16), decoded), "");
    EXPECT_EQ(decoded.channels[0], (std::vector<float>{32767.0f / 32768, -1.0f, 32767.0f / 32768}));
}

std::vector<uint8_t> monoFile() {
    AudioData audio;
    audio.sampleRate = 22050;
    audio.channels = {{0.5f, -0.5f}};
    return encodeWav(audio, SampleFormat::Integer16);
}

void putLittle(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

TEST(WavFile, MalformedFilesAreRefusedWithAReason) {
    struct Row {
        const char* what;
        void (*spoil)(std::vector<uint8_t>&);
        const char* reason;
    };
    const Row rows[] = {
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }, "not a RIFF WAVE file"},
        {"not RIFF", [](std::vector<uint8_t>& b) { std::memcpy(b.data(), "RIFX", 4); },
         "not a RIFF WAVE file"},
        {"cut in the data", [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); },
         "a chunk runs past the end of the file"},
        {"no data chunk", [](std::vector<uint8_t>& b) { std::memcpy(&b[36], "junk", 4); }, "no data chunk"},
        {"no format chunk", [](std::vector<uint8_t>& b) { std::memcpy(&b[12], "junk", 4); },
         "no format chunk"},
        {"8-bit", [](std::vector<uint8_t>& b) { putLittle(b, 34, 8, 2); },
         "unsupported sample format (16- or 24-bit integer or 32-bit float only)"},
        {"a-law", [](std::vector<uint8_t>& b) { putLittle(b, 20, 6, 2); },
         "unsupported sample format (16- or 24-bit integer or 32-bit float only)"},
        {"three channels", [](std::vector<uint8_t>& b) { putLittle(b, 22, 3, 2); },
         "only mono and stereo files are supported"},
        {"rate 0", [](std::vector<uint8_t>& b) { putLittle(b, 24, 0, 4); },
         "the sample rate is out of range"},
        {"wrong alignment", [](std::vector<uint8_t>& b) { putLittle(b, 32, 4, 2); },
         "the block alignment does not fit the format"},
        {"half a frame", [](std::vector<uint8_t>& b) { putLittle(b, 40, 3, 4); },
         "the data chunk ends inside a sample frame"},
    };
    for (const Row& row : rows) {
        std::vector<uint8_t> bytes = monoFile();
        row.spoil(bytes);
        AudioData audio;
        EXPECT_EQ(decodeWav(bytes, audio), row.reason) << row.what;
    }
}

TEST(WavFile, UnknownChunksAreSkippedAndOddSizesPadded) {
    std::vector<uint8_t> bytes = monoFile();
    const uint8_t extra[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    bytes.insert(bytes.begin() + 12, std::begin(extra), std::end(extra));
    AudioData audio;
    ASSERT_EQ(decodeWav(bytes, audio), "");
    EXPECT_EQ(audio.channels, (std::vector<std::vector<float>>{{0.5f, -0.5f}}));
}

TEST(WavFile, MissingFileIsNamed) {
    AudioData audio;
    EXPECT_EQ(readWavFile("no/such/file.wav", audio), "cannot open no/such/file.wav");
}

} // namespace
