#include "plugin/ProgramRecord.h"

#include <cstring>

namespace {

constexpr float kThreshold = 0.2f;
constexpr float kAttack = 0.5f;
constexpr float kGain = 0.5f;

} // namespace

ProgramRecord::ProgramRecord() : ProgramRecord("Basic Compressor", 0.4f) {}

ProgramRecord::ProgramRecord(const char* name, float timeConstant)
    : values{kThreshold, kAttack, timeConstant, kGain} {
    rename(name);
}

void ProgramRecord::rename(const char* name) {
    const std::size_t length = strnlen(name, kNameSize - 1);
    std::memcpy(text, name, length);
    text[length] = '\0';
}
