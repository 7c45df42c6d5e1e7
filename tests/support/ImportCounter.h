#pragma once
// Counts the calls a loaded library makes to chosen Windows functions, by pointing the entries of its
// import table at counting stand-ins that call the real function (or fail the call, when asked). Only that
// library's calls are seen: the test program's own and Wine's are not. The table is put back when the counter
// goes; one counter at a time.

#include <windows.h>

#include <string>
#include <vector>

class ImportCounter {
public:
    explicit ImportCounter(HMODULE library);
    ~ImportCounter();
    ImportCounter(const ImportCounter&) = delete;
    ImportCounter& operator=(const ImportCounter&) = delete;

    // Calls of the named function since the counter was made; -1 if the library does not import it (so
    // a misspelt name cannot pass as "never called").
    int calls(const std::string& function) const;

    // From now on the library's calls of the named function fail as the system fails them when it has no
    // room (a null or zero answer) and are not counted; false if the library does not import it.
    bool makeFail(const std::string& function);
    // The library's calls of every function reach the system again.
    void stopFailing();

    // GDI objects the library made and did not delete: pens, brushes, bitmaps and memory devices.
    int liveGdiObjects() const;
    // Calls that put pixels on a device.
    int drawingCalls() const;

private:
    struct Patch {
        void** slot;
        void* original;
    };
    // Calls of a function, 0 when the library does not import it.
    int callsOrNone(const char* function) const;

    std::vector<Patch> patches;
};
