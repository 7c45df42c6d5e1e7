#pragma once
// Records exchanged with the host through dispatcher pointers. The plug-in reads or writes only the
// key record, the editor rectangle and speaker arrangements; the others pass through as opaque pointers.

#include <cstdint>

struct VstKeyCode {
    int32_t character;
    uint8_t virt;
    uint8_t modifier;
};

// The virtual keys and the modifier bit of VstKeyCode that the controls answer.
constexpr uint8_t VKEY_LEFT = 11;
constexpr uint8_t VKEY_UP = 12;
constexpr uint8_t VKEY_RIGHT = 13;
constexpr uint8_t VKEY_DOWN = 14;
constexpr uint8_t MODIFIER_SHIFT = 1;

struct ERect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

struct VstSpeakerProperties {
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    int32_t type;
    char future[28];
};
static_assert(sizeof(VstSpeakerProperties) == 112);

struct VstSpeakerArrangement {
    int32_t type;
    int32_t numChannels;
    VstSpeakerProperties speakers[1]; // numChannels records follow in one allocation
};

// Size in bytes of an arrangement of the given number of channels.
constexpr int64_t arrangementBytes(int64_t channels) {
    return 8 + int64_t(sizeof(VstSpeakerProperties)) * channels;
}

struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstOfflineTask;
struct VstAudioFile;
struct VstVariableIo;
struct VstWindow;
struct VstParameterProperties;
struct VstPatchChunkInfo;
struct VstFileSelect;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
