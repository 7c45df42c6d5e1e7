#include "plugin/CompressorBase.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr char kProductName[] = "Quenvale Compressor";
constexpr char kVendorName[] = "Harrowmere";

bool writeName(const char* name, char* text) {
    std::strcpy(text, name);
    return true;
}

} // namespace

CompressorBase::CompressorBase(HostCallback callback)
    : PluginEffectX(callback, kProgramCount, kParameterCount) {
    assignInputCount(2);
    assignOutputCount(2);
    declareMono(true);
    assignUniqueId(fourCharacterCode("QvCm"));
    declareReplacing(true);
}

void CompressorBase::processAdd(float** inputs, float** outputs, int32_t frames) {
    processBlock(inputs, outputs, frames, 0);
}

void CompressorBase::processReplace(float** inputs, float** outputs, int32_t frames) {
    processBlock(inputs, outputs, frames, 1);
}

void CompressorBase::processBlock(float**, float**, int32_t, int32_t) {}

bool CompressorBase::effectNameText(char* text) { return writeName(kProductName, text); }
bool CompressorBase::vendorText(char* text) { return writeName(kVendorName, text); }
bool CompressorBase::productText(char* text) { return writeName(kProductName, text); }

HostInt CompressorBase::canDoAnswer(char* text) {
    for (const char* capability : {"plugAsChannelInsert", "plugAsSend", "mixDryWet", "2in2out"})
        if (std::strcmp(text, capability) == 0) return 1;
    return -1;
}
