// The base class's numbers as short texts: exact digits by truncation, never more than 8 characters and
// the NUL, and the floating-point conversions reaching the overridable float conversion and sample rate.

#include "tests/support/IdleEffect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

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

struct Conversion {
    const char* name;
    void (PluginEffect::*convert)(float, char*);
};

const Conversion kFloat{"floatToText", &PluginEffect::floatToText};
const Conversion kDecibels{"decibelsToText", &PluginEffect::decibelsToText};
const Conversion kHertz{"hertzToText", &PluginEffect::hertzToText};
const Conversion kMilliseconds{"millisecondsToText", &PluginEffect::millisecondsToText};

struct FloatCase {
    const Conversion& conversion;
    float value;
    const char* text;
};

// Each case's text as the effect writes it, named in the failure by its call.
template <size_t N> void expectTexts(PluginEffect& effect, const FloatCase (&cases)[N]) {
    for (const FloatCase& row : cases) {
        SCOPED_TRACE(::testing::Message() << row.conversion.name << "(" << row.value << ")");
        EXPECT_EQ(writtenText([&](char* text) { (effect.*row.conversion.convert)(row.value, text); }),
                  row.text);
    }
}

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

const FloatCase kFloatCases[] = {
    // Worked results, the sample rate at its default of 44100.
    {kFloat, 0.5f, "0.500000"},
    {kFloat, 1.25f, "1.250000"},
    {kFloat, -0.5f, "-0.50000"},
    {kFloat, 123.456f, "123.4560"},
    {kFloat, 1234567.0f, "1234567."},
    {kFloat, 0.7f, "0.699999"},
    {kFloat, -0.0001f, "-0.00009"},
    {kDecibels, 1.0f, "0.000000"},
    {kDecibels, 2.0f, "6.020599"},
    {kDecibels, 0.5f, "-6.02059"},
    {kDecibels, 0.001f, "-60.0000"},
    {kHertz, 441.0f, "100.0000"},
    {kHertz, 100.0f, "441.0000"},
    {kMilliseconds, 441.0f, "10.00000"},
    {kMilliseconds, 44100.0f, "1000.000"},

    // Zero of either sign has no sign; fraction digits are truncated, not rounded.
    {kFloat, 0.0f, "0.000000"},
    {kFloat, -0.0f, "0.000000"},
    {kFloat, 1e-10f, "0.000000"},
    {kFloat, 12345.678f, "12345.67"},

    // The widest integer parts end at the point; one digit more does not fit.
    {kFloat, 9999999.0f, "9999999."},
    {kFloat, 10000000.0f, "Huge!"},
    {kFloat, 99999999.0f, "Huge!"},
    {kFloat, -123456.7f, "-123456."},
    {kFloat, -999999.0f, "-999999."},
    {kFloat, -1000000.0f, "Huge!"},
    {kFloat, -9999999.0f, "Huge!"},
    {kFloat, kInfinity, "Huge!"},
    {kFloat, -kInfinity, "Huge!"},
    {kFloat, kNaN, "NaN"},

    // No gain at all, or a negative one, has no level in decibels.
    {kDecibels, 0.0f, "-oo"},
    {kDecibels, -0.0f, "-oo"},
    {kDecibels, -2.0f, "-oo"},
    {kDecibels, -kInfinity, "-oo"},
    {kDecibels, kInfinity, "Huge!"},

    // A period of no samples reads as the text of 0.
    {kHertz, 0.0f, "0.000000"},
    {kHertz, -0.0f, "0.000000"},
    {kHertz, -441.0f, "-100.000"},
};

TEST(FloatConversions, GiveTheirExactTexts) {
    IdleEffect effect;
    expectTexts(effect, kFloatCases);
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
    IdleEffect effect;
    for (const auto& row : cases) {
        SCOPED_TRACE(::testing::Message() << "integerToText(" << row.value << ")");
        EXPECT_EQ(writtenText([&](char* text) { effect.integerToText(row.value, text); }), row.text);
    }
}

// Shows which value reached the float conversion, so that its callers can be seen using the override.
class BracketingEffect : public IdleEffect {
public:
    void floatToText(float value, char* text) override {
        char shown[32];
        std::snprintf(shown, sizeof shown, "[%g]", double(value));
        std::strcpy(text, shown);
    }
};

TEST(FloatConversions, AllThreeFloatingPointConversionsUseTheOverride) {
    BracketingEffect effect;
    const FloatCase cases[] = {
        {kDecibels, 10.0f, "[20]"}, {kDecibels, 0.0f, "-oo"},        {kHertz, 441.0f, "[100]"},
        {kHertz, 0.0f, "[0]"},      {kMilliseconds, 441.0f, "[10]"},
    };
    expectTexts(effect, cases);
}

// Reports a rate of its own while the stored one stays at 44100.
class RateEffect : public IdleEffect {
public:
    explicit RateEffect(float rate) : reportedRate(rate) {}
    float sampleRateValue() override { return reportedRate; }

private:
    float reportedRate;
};

TEST(FloatConversions, PeriodsAndDurationsUseTheOverriddenSampleRate) {
    const struct {
        float rate;
        FloatCase row;
    } cases[] = {
        {48000.0f, {kHertz, 480.0f, "100.0000"}},
        {48000.0f, {kHertz, 0.0f, "0.000000"}},
        {48000.0f, {kMilliseconds, 96.0f, "2.000000"}},
        {96000.0f, {kMilliseconds, 48.0f, "0.500000"}},
        // No rate at all: the duration is infinite, or undefined for no samples.
        {0.0f, {kMilliseconds, 441.0f, "Huge!"}},
        {0.0f, {kMilliseconds, 0.0f, "NaN"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "at " << c.rate);
        RateEffect effect(c.rate);
        expectTexts(effect, {c.row});
    }
}

} // namespace
