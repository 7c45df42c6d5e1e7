#pragma once
// One program: the normalised values of the four parameters and a name of at most 31 characters.
//
// Any thread may set a parameter (and so a value of the current program) while another switches
// programs and reads the values, and a host may ask for names on another thread than the one that
// renames: every value and every character is a relaxed atomic of its own. A name read while it is
// being renamed may mix the old and the new name, but it is always terminated within the record.

#include <atomic>
#include <cstddef>
#include <cstdint>

class ProgramRecord {
public:
    static constexpr int32_t kValueCount = 4;
    static constexpr std::size_t kNameSize = 32;

    // The default program.
    ProgramRecord();

    // Makes this a preset: the default values with the given time constant, and the name.
    void assign(const char* name, float timeConstant);

    float value(int32_t index) const { return values[index].load(std::memory_order_relaxed); }
    void setValue(int32_t index, float value) { values[index].store(value, std::memory_order_relaxed); }
    // Copies the name with its NUL into text, which has room for kNameSize characters.
    void copyName(char* text) const;
    // Keeps at most 31 characters of the new name; a longer name is cut.
    void rename(const char* name);

private:
    std::atomic<float> values[kValueCount];
    std::atomic<char> text[kNameSize]; // the last one stays NUL
};
