#include "plugin/CompressorBase.h"

#include "host/HostFloat.h"
#include "plugin/DenormalFlush.h"
#include "plugin/VendorVersion.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <thread>

namespace {

constexpr char kProductName[] = "Quenvale Compressor";
constexpr char kVendorName[] = "Harrowmere";
constexpr char kParameterNames[CompressorBase::kParameterCount][16] = {"Threshold", "Attack", "Time Constant",
                                                                       "Gain"};
constexpr char kParameterLabel[] = "Value";
constexpr char kMilliseconds[] = "  ms";
// Every value from 0 to 1 prints its number in this many characters or fewer.
constexpr std::size_t kNumberWidth = CompressorBase::kDisplayLength - (sizeof kMilliseconds - 1);

// The block routine runs the linked stereo pair through this slot of the gain computer.
constexpr int32_t kLinkedSlot = 1;

struct TimeConstants {
    float attackMs;
    float releaseMs;
};

// The six positions of the time-constant selector.
constexpr TimeConstants kTimeConstants[] = {{0.2f, 300.0f},  {0.2f, 800.0f},  {0.4f, 2000.0f},
                                            {0.8f, 5000.0f}, {0.2f, 2000.0f}, {0.2f, 10000.0f}};
constexpr int32_t kPositionCount = sizeof kTimeConstants / sizeof kTimeConstants[0];

struct Preset {
    const char* name;
    float timeConstant;
};

// Programs 1 to 6, one for each selector position.
constexpr Preset kPresets[] = {{"Att: .2ms - Rel: 300ms", 0.0f}, {"Att: .2ms - Rel: 800ms", 0.2f},
                               {"Att: .4ms - Rel: 2s", 0.4f},    {"Att: .8ms - Rel: 5s", 0.6f},
                               {"Att: .2ms - Rel: 2s", 0.8f},    {"Att: .2ms - Rel: 10s", 1.0f}};

bool writeName(const char* name, char* text) {
    std::strcpy(text, name);
    return true;
}

bool isParameter(int32_t index) { return index >= 0 && index < CompressorBase::kParameterCount; }

// Per second of audio, a hold with no new peak falls to one hundredth of its value.
double decayPerFrame(int32_t sampleRate) { return 1.0 / std::pow(10.0, 1.0 / (sampleRate * 0.5)); }

double squared(float value) { return std::pow(double(value), 2.0); }

// The number as "%.1f" prints it, followed by the unit. A number that does not fit its width (or is
// infinite) reads "Huge!" and NaN reads "NaN", as the base's number texts do.
void writeNumber(double number, const char* unit, char* text) {
    char digits[16];
    if (std::isnan(number))
        std::strcpy(digits, "NaN");
    else if (!(std::fabs(number) < 1e6) ||
             std::snprintf(digits, sizeof digits, "%.1f", number) > int(kNumberWidth))
        std::strcpy(digits, "Huge!");
    std::strcat(std::strcpy(text, digits), unit);
}

void writeDisplay(int32_t index, float value, char* text) {
    switch (index) {
    case CompressorBase::kThreshold:
        writeNumber(20.0 * std::log10(double(0.01f) / (double(0.99f) * squared(value) + double(0.01f))), "",
                    text);
        break;
    case CompressorBase::kAttack:
        writeNumber(2.0 + squared(value) * (800.0 - 2.0), kMilliseconds, text);
        break;
    case CompressorBase::kTimeConstant:
        writeNumber(3.0 + squared(value) * (5000.0 - 3.0), kMilliseconds, text);
        break;
    default: {
        // The output gain in decibels; at and below its zero the logarithm has no value.
        const double gain = (double(value) - 0.5) * 10.0 + 1.0;
        if (gain <= 0.0)
            std::strcpy(text, "-oo");
        else
            writeNumber(20.0 * std::log10(gain), "", text);
    }
    }
}

// Program switches and rate changes take turns. Only such writers wait here, for the switch or rate
// change under way; parameter sets and processing never do.
class WriterTurn {
public:
    explicit WriterTurn(std::atomic_flag& flag) : turn(flag) {
        while (turn.test_and_set(std::memory_order_acquire))
            std::this_thread::yield();
    }
    ~WriterTurn() { turn.clear(std::memory_order_release); }
    WriterTurn(const WriterTurn&) = delete;
    WriterTurn& operator=(const WriterTurn&) = delete;

private:
    std::atomic_flag& turn;
};

} // namespace

CompressorBase::CompressorBase(HostCallback callback)
    : PluginEffectX(callback, kProgramCount, kParameterCount) {
    const int32_t rate = int32_t(sampleRate.load(std::memory_order_relaxed));
    gainComputer.initialise(rate);
    assignInputCount(2);
    assignOutputCount(2);
    declareMono(true);
    assignUniqueId(fourCharacterCode("QvCm"));
    declareReplacing(true);
    meterSampleRate.store(rate, std::memory_order_relaxed);
    meterDecay.store(decayPerFrame(rate), std::memory_order_relaxed);
    loadPresetPrograms();
    selectProgram(0);
}

// ---- Parameters -----------------------------------------------------------------------------------

void CompressorBase::setParameterValue(int32_t index, float value) {
    switch (index) {
    case kThreshold:
        thresholdValue.store(value, std::memory_order_relaxed);
        gainComputer.setThreshold(value);
        break;
    case kAttack:
        attackValue.store(value, std::memory_order_relaxed);
        gainComputer.setDetectorGain(value);
        break;
    case kTimeConstant:
        timeConstantValue.store(value, std::memory_order_relaxed);
        applyTimeConstant(value);
        break;
    case kGain:
        gainValue.store(value, std::memory_order_relaxed);
        applyOutputGain(value);
        break;
    case kSpare:
        spareValue.store(value, std::memory_order_relaxed);
        return;
    default:
        return;
    }
    programs[programIndex.load(std::memory_order_relaxed)].setValue(index, value);
}

float CompressorBase::parameterValue(int32_t index) {
    switch (index) {
    case kThreshold:
        return thresholdValue.load(std::memory_order_relaxed);
    case kAttack:
        return attackValue.load(std::memory_order_relaxed);
    case kTimeConstant:
        return timeConstantValue.load(std::memory_order_relaxed);
    case kGain:
        return gainValue.load(std::memory_order_relaxed);
    case kGainReductionMeter:
        return gainReductionHold.load(std::memory_order_relaxed);
    case kInputLeftMeter:
        return inputMeterReading(inputHoldLeft.load(std::memory_order_relaxed));
    case kInputRightMeter:
        return inputMeterReading(inputHoldRight.load(std::memory_order_relaxed));
    case kOutputLeftMeter:
        return outputHoldLeft.load(std::memory_order_relaxed);
    case kOutputRightMeter:
        return outputHoldRight.load(std::memory_order_relaxed);
    case kSpare:
        return spareValue.load(std::memory_order_relaxed);
    default:
        return 0.0f;
    }
}

void CompressorBase::parameterLabel(int32_t index, char* text) {
    if (isParameter(index)) std::strcpy(text, kParameterLabel);
}

void CompressorBase::parameterDisplay(int32_t index, char* text) {
    if (isParameter(index)) writeDisplay(index, parameterValue(index), text);
}

void CompressorBase::parameterName(int32_t index, char* text) {
    if (isParameter(index)) std::strcpy(text, kParameterNames[index]);
}

// The position is the value times 5 truncated toward zero; outside the six positions (or for a value
// that is not a number) the times stay as they are.
void CompressorBase::applyTimeConstant(float value) {
    const float scaled = value * 5.0f;
    if (!(scaled > -1.0f && scaled < float(kPositionCount))) return;
    const TimeConstants& times = kTimeConstants[int32_t(scaled)];
    gainComputer.setTimes(times.attackMs, times.releaseMs);
}

// A value that is neither above nor at or below 0.5 (NaN) leaves the gain as it is.
void CompressorBase::applyOutputGain(float value) {
    if (value > 0.5f)
        outputGain.store((value - 0.5f) * 15.0f + 1.0f, std::memory_order_relaxed);
    else if (value <= 0.5f)
        outputGain.store(value * 2.0f, std::memory_order_relaxed);
}

// The input meters read the hold through x^(1 / (x * 0.001 * rate)); a hold of 0 reads 0.
float CompressorBase::inputMeterReading(float hold) const {
    if (hold <= 0.0f) return 0.0f;
    const double rate = meterSampleRate.load(std::memory_order_relaxed);
    return float(std::pow(double(hold), 1.0 / (double(hold) * 0.001 * rate)));
}

// ---- Sample rate ----------------------------------------------------------------------------------

void CompressorBase::changeSampleRate(float rate) {
    PluginEffectX::changeSampleRate(rate);
    followSampleRate(rate);
}

void CompressorBase::changeBlockSizeAndSampleRate(int32_t size, float rate) {
    PluginEffectX::changeBlockSizeAndSampleRate(size, rate);
    followSampleRate(rate);
}

// Times and meter ballistics follow the host's rate; the envelope and the holds keep their values. A
// rate without a whole number of hertz in the integer range (0, negative, below 1, huge, not finite)
// changes nothing.
void CompressorBase::followSampleRate(float rate) {
    if (!(rate >= 1.0f && fitsInt32(rate))) return;
    const int32_t hertz = int32_t(rate);
    const double decay = decayPerFrame(hertz);
    WriterTurn turn(writerTurn);
    gainComputer.changeSampleRate(hertz);
    meterSampleRate.store(hertz, std::memory_order_relaxed);
    meterDecay.store(decay, std::memory_order_relaxed);
}

// ---- Audio ----------------------------------------------------------------------------------------

void CompressorBase::processAdd(float** inputs, float** outputs, int32_t frames) {
    processBlock(inputs, outputs, frames, 0);
}

void CompressorBase::processReplace(float** inputs, float** outputs, int32_t frames) {
    processBlock(inputs, outputs, frames, 1);
}

// The settings (the gain computer's, output gain, meter decay) are read once at the start, so a change
// takes effect at the next block; the envelope and the holds are stored back once at the end.
void CompressorBase::processBlock(float** inputs, float** outputs, int32_t frames, int32_t replace) {
    if (frames <= 0) return;
    DenormalFlush flush;
    const BlockSettings settings{gainComputer.settings(), outputGain.load(std::memory_order_relaxed),
                                 meterDecay.load(std::memory_order_relaxed)};
    BlockState state{gainComputer.slotEnvelope(kLinkedSlot), 1.0f, loadHolds()};
    processStereoBlock(settings, state, inputs, outputs, frames, replace != 0);
    gainComputer.keepSlot(kLinkedSlot, state.envelope, state.lastGain);
    storeHolds(state.holds);
}

MeterHolds CompressorBase::loadHolds() const {
    return {gainReductionHold.load(std::memory_order_relaxed), inputHoldLeft.load(std::memory_order_relaxed),
            inputHoldRight.load(std::memory_order_relaxed), outputHoldLeft.load(std::memory_order_relaxed),
            outputHoldRight.load(std::memory_order_relaxed)};
}

void CompressorBase::storeHolds(const MeterHolds& holds) {
    gainReductionHold.store(holds.gainReduction, std::memory_order_relaxed);
    inputHoldLeft.store(holds.inputLeft, std::memory_order_relaxed);
    inputHoldRight.store(holds.inputRight, std::memory_order_relaxed);
    outputHoldLeft.store(holds.outputLeft, std::memory_order_relaxed);
    outputHoldRight.store(holds.outputRight, std::memory_order_relaxed);
}

// ---- Programs -------------------------------------------------------------------------------------

void CompressorBase::loadPresetPrograms() {
    for (int32_t i = 0; i < kProgramCount - 1; ++i)
        programs[i + 1].assign(kPresets[i].name, kPresets[i].timeConstant);
}

// Applies the program's four values; each is written back into the same record, which stays as it was.
// The whole switch is one turn: another switch can not make this one write into its program.
void CompressorBase::selectProgram(int32_t index) {
    if (index < 0 || index >= kProgramCount) return;
    WriterTurn turn(writerTurn);
    programIndex.store(index, std::memory_order_relaxed);
    for (int32_t k = 0; k < ProgramRecord::kValueCount; ++k)
        setParameterValue(k, programs[index].value(k));
}

void CompressorBase::renameProgram(char* text) {
    programs[programIndex.load(std::memory_order_relaxed)].rename(text);
}

void CompressorBase::currentProgramName(char* text) {
    programs[programIndex.load(std::memory_order_relaxed)].copyName(text);
}

bool CompressorBase::indexedProgramName(HostInt, int32_t index, char* text) {
    if (index < 0 || index >= kProgramCount) return false;
    programs[index].copyName(text);
    return true;
}

// ---- Identity -------------------------------------------------------------------------------------

bool CompressorBase::effectNameText(char* text) { return writeName(kProductName, text); }
bool CompressorBase::vendorText(char* text) { return writeName(kVendorName, text); }
bool CompressorBase::productText(char* text) { return writeName(kProductName, text); }

static_assert(fitsVendorVersion(QUENVALE_VERSION_MINOR, QUENVALE_VERSION_PATCH),
              "the release's minor and patch numbers must fit their digits of the vendor version");
HostInt CompressorBase::vendorVersionNumber() {
    return vendorVersion(QUENVALE_VERSION_MAJOR, QUENVALE_VERSION_MINOR, QUENVALE_VERSION_PATCH);
}

HostInt CompressorBase::canDoAnswer(char* text) {
    for (const char* capability : {"plugAsChannelInsert", "plugAsSend", "mixDryWet", "2in2out"})
        if (std::strcmp(text, capability) == 0) return 1;
    return -1;
}
