#pragma once
// One program: the normalised values of the four parameters and a name of at most 31 characters.

#include <cstddef>
#include <cstdint>

class ProgramRecord {
public:
    static constexpr int32_t kValueCount = 4;
    static constexpr std::size_t kNameSize = 32;

    // The default program.
    ProgramRecord();
    ProgramRecord(const char* name, float timeConstant);

    float value(int32_t index) const { return values[index]; }
    void setValue(int32_t index, float value) { values[index] = value; }
    const char* name() const { return text; }
    // Keeps at most 31 characters of the new name; a longer name is cut.
    void rename(const char* name);

private:
    float values[kValueCount];
    char text[kNameSize];
};
