#pragma once
// The record a host holds for each plug-in instance, the host's callback and the entry types.
// Laid out byte for byte as hosts expect: 144 bytes on the 32-bit target, 192 on the 64-bit one.

#include <cstdint>

struct AEffect;

// Integers that may carry a pointer; 32 bits on the target, as wide as a pointer elsewhere.
using HostInt = intptr_t;

extern "C" {
typedef HostInt (*HostCallback)(AEffect* effect, int32_t opcode, int32_t index, HostInt value, void* pointer,
                                float opt);
typedef HostInt (*DispatcherEntry)(AEffect* effect, int32_t opcode, int32_t index, HostInt value,
                                   void* pointer, float opt);
typedef void (*ProcessEntry)(AEffect* effect, float** inputs, float** outputs, int32_t frames);
typedef void (*SetParameterEntry)(AEffect* effect, int32_t index, float value);
typedef float (*GetParameterEntry)(AEffect* effect, int32_t index);
}

struct AEffect {
    int32_t magic;
    DispatcherEntry dispatcher;
    ProcessEntry process;
    SetParameterEntry setParameter;
    GetParameterEntry getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    HostInt resvd1;
    HostInt resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID;
    int32_t version;
    ProcessEntry processReplacing;
    char future[60];
};

// The 32-bit record is packed by nature: every member is four bytes wide. The 64-bit record holds the
// same members with pointer-sized entries and integers at their natural alignment.
#include <cstddef>
#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(AEffect) == 144, "the host reads a 144-byte record");
static_assert(offsetof(AEffect, dispatcher) == 4 && offsetof(AEffect, process) == 8);
static_assert(offsetof(AEffect, setParameter) == 12 && offsetof(AEffect, getParameter) == 16);
static_assert(offsetof(AEffect, numPrograms) == 20 && offsetof(AEffect, numParams) == 24);
static_assert(offsetof(AEffect, numInputs) == 28 && offsetof(AEffect, numOutputs) == 32);
static_assert(offsetof(AEffect, flags) == 36 && offsetof(AEffect, resvd1) == 40 &&
              offsetof(AEffect, resvd2) == 44);
static_assert(offsetof(AEffect, initialDelay) == 48 && offsetof(AEffect, realQualities) == 52);
static_assert(offsetof(AEffect, offQualities) == 56 && offsetof(AEffect, ioRatio) == 60);
static_assert(offsetof(AEffect, object) == 64 && offsetof(AEffect, user) == 68);
static_assert(offsetof(AEffect, uniqueID) == 72 && offsetof(AEffect, version) == 76);
static_assert(offsetof(AEffect, processReplacing) == 80 && offsetof(AEffect, future) == 84);
#else
static_assert(sizeof(AEffect) == 192, "the 64-bit host reads a 192-byte record");
static_assert(offsetof(AEffect, dispatcher) == 8 && offsetof(AEffect, process) == 16);
static_assert(offsetof(AEffect, setParameter) == 24 && offsetof(AEffect, getParameter) == 32);
static_assert(offsetof(AEffect, numPrograms) == 40 && offsetof(AEffect, numParams) == 44);
static_assert(offsetof(AEffect, numInputs) == 48 && offsetof(AEffect, numOutputs) == 52);
static_assert(offsetof(AEffect, flags) == 56 && offsetof(AEffect, resvd1) == 64 &&
              offsetof(AEffect, resvd2) == 72);
static_assert(offsetof(AEffect, initialDelay) == 80 && offsetof(AEffect, realQualities) == 84);
static_assert(offsetof(AEffect, offQualities) == 88 && offsetof(AEffect, ioRatio) == 92);
static_assert(offsetof(AEffect, object) == 96 && offsetof(AEffect, user) == 104);
static_assert(offsetof(AEffect, uniqueID) == 112 && offsetof(AEffect, version) == 116);
static_assert(offsetof(AEffect, processReplacing) == 120 && offsetof(AEffect, future) == 128);
#endif

// Four characters read as a big-endian number, as the record's codes are written.
constexpr int32_t fourCharacterCode(const char (&code)[5]) {
    return static_cast<int32_t>((uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
                                (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3])));
}

constexpr int32_t kEffectMagic = fourCharacterCode("VstP");

enum EffectFlags : int32_t {
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,
    effFlagsHasVu = 1 << 2,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsExtIsAsync = 1 << 10,
    effFlagsExtHasBuffer = 1 << 11,
};

enum PluginCategory : int32_t {
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
    kPlugCategSynth = 2,
};
