#include "tests/host/RecordingEffect.h"

#include <cstdio>

char kTextPointer[64];
char kValuePointer[64];

std::string describePointer(const void* pointer) {
    if (!pointer) return "null";
    if (pointer == kTextPointer) return "P";
    if (pointer == kValuePointer) return "V";
    return "other";
}

std::string RecordingEffect::number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(value));
    return text;
}
