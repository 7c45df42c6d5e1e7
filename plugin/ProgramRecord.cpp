#include "plugin/ProgramRecord.h"

#include <cstring>

namespace {

constexpr float kThreshold = 0.2f;
constexpr float kAttack = 0.5f;
constexpr float kGain = 0.5f;

} // namespace

ProgramRecord::ProgramRecord() {
    text[kNameSize - 1].store('\0', std::memory_order_relaxed);
    assign("Basic Compressor", 0.4f);
}

void ProgramRecord::assign(const char* name, float timeConstant) {
    const float defaults[kValueCount] = {kThreshold, kAttack, timeConstant, kGain};
    for (int32_t k = 0; k < kValueCount; ++k)
        setValue(k, defaults[k]);
    rename(name);
}

void ProgramRecord::copyName(char* copy) const {
    for (std::size_t k = 0; k < kNameSize; ++k)
        if ((copy[k] = text[k].load(std::memory_order_relaxed)) == '\0') return;
}

void ProgramRecord::rename(const char* name) {
    const std::size_t length = strnlen(name, kNameSize - 1);
    for (std::size_t k = 0; k < length; ++k)
        text[k].store(name[k], std::memory_order_relaxed);
    text[length].store('\0', std::memory_order_relaxed);
}
