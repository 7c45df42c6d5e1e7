// The base class's numbers as short texts: exact digits by truncation, never more than 8 characters and
// the NUL, and the floating-point conversions reaching the overridable float conversion and sample rate.

#include "host/PluginEffect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

class TextEffect : public PluginEffect {
public:
    TextEffect() : PluginEffect(nullptr, 1, 1) {}
    void processAdd(float**, float**, int32_t) override {}
};

// Runs a conversion into a guard-filled buffer and returns its text, after checking that it wrote a NUL
// within the budget and nothing past it.
template <typename Convert> std::string writtenText(Convert convert) {
    constexpr char kGuard = '#';
    char buffer[32];
    std::memset(buffer, kGuard, sizeof buffer);
    convert(buffer);
    const void* end = std::memchr(buffer, '\0', sizeof buffer);
    if (!end) {
        ADD_FAILURE() << "no terminating NUL";
        return {};
    }
    const size_t length = static_cast<const char*>(end) - buffer;
    EXPECT_LE(length, 8u) << "text \"" << buffer << "\"";
    for (size_t k = length + 1; k < sizeof buffer; ++k)
        EXPECT_EQ(buffer[k], kGuard) << "byte " << k << " past the text \"" << buffer << "\"";
    return std::string(buffer, length);
}

using FloatConversion = void (PluginEffect::*)(float, char*);

std::string converted(PluginEffect& effect, FloatConversion convert, float value) {
    return writtenText([&](char* text) { (effect.*convert)(value, text); });
}

struct FloatCase {
    const char* operation;
    FloatConversion convert;
    float value;
    const char* text;
};

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

const FloatCase kFloatCases[] = {
    // Worked results, the sample rate at its default of 44100.
    {"floatToText", &PluginEffect::floatToText, 0.5f, "0.500000"},
    {"floatToText", &PluginEffect::floatToText, 1.25f, "1.250000"},
    {"floatToText", &PluginEffect::floatToText, -0.5f, "-0.50000"},
    {"floatToText", &PluginEffect::floatToText, 123.456f, "123.4560"},
    {"floatToText", &PluginEffect::floatToText, 1234567.0f, "1234567."},
    {"floatToText", &PluginEffect::floatToText, 0.7f, "0.699999"},
    {"floatToText", &PluginEffect::floatToText, -0.0001f, "-0.00009"},
    {"decibelsToText", &PluginEffect::decibelsToText, 1.0f, "0.000000"},
    {"decibelsToText", &PluginEffect::decibelsToText, 2.0f, "6.020599"},
    {"decibelsToText", &PluginEffect::decibelsToText, 0.5f, "-6.02059"},
    {"decibelsToText", &PluginEffect::decibelsToText, 0.001f, "-60.0000"},
    {"hertzToText", &PluginEffect::hertzToText, 441.0f, "100.0000"},
    {"hertzToText", &PluginEffect::hertzToText, 100.0f, "441.0000"},
    {"millisecondsToText", &PluginEffect::millisecondsToText, 441.0f, "10.00000"},
    {"millisecondsToText", &PluginEffect::millisecondsToText, 44100.0f, "1000.000"},

    // Zero of either sign has no sign; fraction digits are truncated, not rounded.
    {"floatToText", &PluginEffect::floatToText, 0.0f, "0.000000"},
    {"floatToText", &PluginEffect::floatToText, -0.0f, "0.000000"},
    {"floatToText", &PluginEffect::floatToText, 1e-10f, "0.000000"},
    {"floatToText", &PluginEffect::floatToText, 12345.678f, "12345.67"},

    // The widest integer parts end at the point; one digit more does not fit.
    {"floatToText", &PluginEffect::floatToText, 9999999.0f, "9999999."},
    {"floatToText", &PluginEffect::floatToText, 10000000.0f, "Huge!"},
    {"floatToText", &PluginEffect::floatToText, 99999999.0f, "Huge!"},
    {"floatToText", &PluginEffect::floatToText, -123456.7f, "-123456."},
    {"floatToText", &PluginEffect::floatToText, -999999.0f, "-999999."},
    {"floatToText", &PluginEffect::floatToText, -1000000.0f, "Huge!"},
    {"floatToText", &PluginEffect::floatToText, -9999999.0f, "Huge!"},
    {"floatToText", &PluginEffect::floatToText, kInfinity, "Huge!"},
    {"floatToText", &PluginEffect::floatToText, -kInfinity, "Huge!"},
    {"floatToText", &PluginEffect::floatToText, kNaN, "NaN"},

    // No gain at all, or a negative one, has no level in decibels.
    {"decibelsToText", &PluginEffect::decibelsToText, 0.0f, "-oo"},
    {"decibelsToText", &PluginEffect::decibelsToText, -0.0f, "-oo"},
    {"decibelsToText", &PluginEffect::decibelsToText, -2.0f, "-oo"},
    {"decibelsToText", &PluginEffect::decibelsToText, -kInfinity, "-oo"},
    {"decibelsToText", &PluginEffect::decibelsToText, kInfinity, "Huge!"},

    // A period of no samples reads as the text of 0.
    {"hertzToText", &PluginEffect::hertzToText, 0.0f, "0.000000"},
    {"hertzToText", &PluginEffect::hertzToText, -0.0f, "0.000000"},
    {"hertzToText", &PluginEffect::hertzToText, -441.0f, "-100.000"},
};

TEST(FloatConversions, GiveTheirExactTexts) {
    TextEffect effect;
    for (const FloatCase& row : kFloatCases) {
        SCOPED_TRACE(::testing::Message() << row.operation << "(" << row.value << ")");
        EXPECT_EQ(converted(effect, row.convert, row.value), row.text);
    }
}

TEST(IntegerConversion, RightAlignsInSevenColumnsAndCutsAfterEight) {
    const struct {
        int32_t value;
        const char* text;
    } cases[] = {
        {5, "      5"},         {-5, "     -5"},         {0, "      0"},           {1234567, "1234567"},
        {12345678, "12345678"}, {99999999, "99999999"},  {100000000, "Huge!"},     {INT32_MAX, "Huge!"},
        {-9999999, "-9999999"}, {-10000000, "-1000000"}, {-123456789, "-1234567"}, {INT32_MIN, "-2147483"},
    };
    TextEffect effect;
    for (const auto& row : cases) {
        SCOPED_TRACE(::testing::Message() << "integerToText(" << row.value << ")");
        EXPECT_EQ(writtenText([&](char* text) { effect.integerToText(row.value, text); }), row.text);
    }
}

// Shows which value reached the float conversion, so that its callers can be seen using the override.
class BracketingEffect : public TextEffect {
public:
    void floatToText(float value, char* text) override {
        char shown[32];
        std::snprintf(shown, sizeof shown, "[%g]", double(value));
        std::strcpy(text, shown);
    }
};

TEST(FloatConversions, AllThreeFloatingPointConversionsUseTheOverride) {
    BracketingEffect effect;
    const struct {
        const char* operation;
        FloatConversion convert;
        float value;
        const char* text;
    } cases[] = {
        {"decibelsToText", &PluginEffect::decibelsToText, 10.0f, "[20]"},
        {"decibelsToText", &PluginEffect::decibelsToText, 0.0f, "-oo"},
        {"hertzToText", &PluginEffect::hertzToText, 441.0f, "[100]"},
        {"hertzToText", &PluginEffect::hertzToText, 0.0f, "[0]"},
        {"millisecondsToText", &PluginEffect::millisecondsToText, 441.0f, "[10]"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(::testing::Message() << row.operation << "(" << row.value << ")");
        EXPECT_EQ(converted(effect, row.convert, row.value), row.text);
    }
}

// Reports a rate of its own while the stored one stays at 44100.
class RateEffect : public TextEffect {
public:
    explicit RateEffect(float rate) : reportedRate(rate) {}
    float sampleRateValue() override { return reportedRate; }

private:
    float reportedRate;
};

TEST(FloatConversions, PeriodsAndDurationsUseTheOverriddenSampleRate) {
    const struct {
        float rate;
        const char* operation;
        FloatConversion convert;
        float samples;
        const char* text;
    } cases[] = {
        {48000.0f, "hertzToText", &PluginEffect::hertzToText, 480.0f, "100.0000"},
        {48000.0f, "hertzToText", &PluginEffect::hertzToText, 0.0f, "0.000000"},
        {48000.0f, "millisecondsToText", &PluginEffect::millisecondsToText, 96.0f, "2.000000"},
        {96000.0f, "millisecondsToText", &PluginEffect::millisecondsToText, 48.0f, "0.500000"},
        // No rate at all: the duration is infinite, or undefined for no samples.
        {0.0f, "millisecondsToText", &PluginEffect::millisecondsToText, 441.0f, "Huge!"},
        {0.0f, "millisecondsToText", &PluginEffect::millisecondsToText, 0.0f, "NaN"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(::testing::Message() << row.operation << "(" << row.samples << ") at " << row.rate);
        RateEffect effect(row.rate);
        EXPECT_EQ(converted(effect, row.convert, row.samples), row.text);
    }
}

} // namespace
