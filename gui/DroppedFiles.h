#pragma once
// The names of a dropped file list (a DROPFILES block), copied so that they outlive the data object's
// medium, with shortcuts replaced by their targets. A name that cannot be read whole is left out: cut
// short it would name another file. The copies are freed with the object.

#include <windows.h>

#include <cstdint>

class DroppedFiles {
public:
    explicit DroppedFiles(HGLOBAL list);
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;
    ~DroppedFiles();

    // count() zero-terminated names.
    char** items() const { return names; }
    int32_t count() const { return copied; }

private:
    static bool wellFormed(HGLOBAL list);
    void copyName(HDROP list, UINT index);

    char** names = nullptr;
    int32_t copied = 0;
};
