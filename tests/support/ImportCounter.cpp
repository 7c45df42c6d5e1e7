#include "tests/support/ImportCounter.h"

#include <ole2.h>

#include <algorithm>
#include <cstring>

namespace {

// A stand-in with the exact signature and calling convention of the function it replaces: it counts
// the call and passes it on, or, while failing, answers the zero of the result type (which is how each
// of these functions reports a failure). Id keeps apart functions that share a signature.
template <typename Function, int Id> struct StandIn;
template <typename Result, typename... Arguments, int Id> struct StandIn<Result(WINAPI*)(Arguments...), Id> {
    static inline Result(WINAPI* original)(Arguments...) = nullptr;
    static inline int count = 0;
    static inline bool failing = false;
    static Result WINAPI call(Arguments... arguments) {
        if (failing) return Result();
        ++count;
        return original(arguments...);
    }
};

struct CountedFunction {
    const char* module;
    const char* name;
    void* replacement;
    void** original;
    int* count;
    bool* failing;
};

template <typename Function, int Id> CountedFunction counted(const char* module, const char* name) {
    using S = StandIn<Function, Id>;
    return {module,    name,       reinterpret_cast<void*>(&S::call), reinterpret_cast<void**>(&S::original),
            &S::count, &S::failing};
}

const std::vector<CountedFunction>& countedFunctions() {
    static const std::vector<CountedFunction> functions = {
        counted<decltype(&CreateBitmap), 0>("gdi32.dll", "CreateBitmap"),
        counted<decltype(&CreateBrushIndirect), 1>("gdi32.dll", "CreateBrushIndirect"),
        counted<decltype(&CreateCompatibleDC), 2>("gdi32.dll", "CreateCompatibleDC"),
        counted<decltype(&CreatePenIndirect), 3>("gdi32.dll", "CreatePenIndirect"),
        counted<decltype(&LoadBitmapA), 4>("user32.dll", "LoadBitmapA"),
        counted<decltype(&DeleteDC), 5>("gdi32.dll", "DeleteDC"),
        counted<decltype(&DeleteObject), 6>("gdi32.dll", "DeleteObject"),
        counted<decltype(&BitBlt), 7>("gdi32.dll", "BitBlt"),
        counted<decltype(&LineTo), 8>("gdi32.dll", "LineTo"),
        counted<decltype(&GetDC), 9>("user32.dll", "GetDC"),
        counted<decltype(&ReleaseDC), 10>("user32.dll", "ReleaseDC"),
        counted<decltype(&CreateWindowExA), 11>("user32.dll", "CreateWindowExA"),
        counted<decltype(&DestroyWindow), 12>("user32.dll", "DestroyWindow"),
        counted<decltype(&RegisterClassA), 13>("user32.dll", "RegisterClassA"),
        counted<decltype(&UnregisterClassA), 14>("user32.dll", "UnregisterClassA"),
        counted<decltype(&OleInitialize), 15>("ole32.dll", "OleInitialize"),
        counted<decltype(&OleUninitialize), 16>("ole32.dll", "OleUninitialize"),
    };
    return functions;
}

const CountedFunction* find(const std::string& name) {
    for (const CountedFunction& function : countedFunctions())
        if (name == function.name) return &function;
    return nullptr;
}

template <typename T> T* at(HMODULE library, DWORD offset) {
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(library) + offset);
}

// The import table's slot through which the library calls the function, or null.
void** importSlot(HMODULE library, const char* module, const char* function) {
    const auto* dos = at<IMAGE_DOS_HEADER>(library, 0);
    const auto* nt = at<IMAGE_NT_HEADERS>(library, DWORD(dos->e_lfanew));
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return nullptr;
    for (auto* entry = at<IMAGE_IMPORT_DESCRIPTOR>(library, imports.VirtualAddress); entry->Name; ++entry) {
        if (_stricmp(at<char>(library, entry->Name), module) != 0) continue;
        auto* names = at<IMAGE_THUNK_DATA>(library, entry->OriginalFirstThunk);
        auto* slots = at<IMAGE_THUNK_DATA>(library, entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = at<IMAGE_IMPORT_BY_NAME>(library, DWORD(names->u1.AddressOfData));
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void writeSlot(void** slot, void* value) {
    DWORD previous;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, previous, &previous);
}

} // namespace

ImportCounter::ImportCounter(HMODULE library) {
    stopFailing();
    for (const CountedFunction& function : countedFunctions())
        *function.count = 0;
    if (!library) return;
    for (const CountedFunction& function : countedFunctions()) {
        void** slot = importSlot(library, function.module, function.name);
        if (!slot) continue;
        *function.original = *slot;
        patches.push_back({slot, *slot});
        writeSlot(slot, function.replacement);
    }
}

ImportCounter::~ImportCounter() {
    stopFailing();
    for (const Patch& patch : patches)
        writeSlot(patch.slot, patch.original);
}

int ImportCounter::calls(const std::string& function) const {
    const CountedFunction* counted = find(function);
    if (!counted || !*counted->original) return -1;
    return *counted->count;
}

bool ImportCounter::makeFail(const std::string& function) {
    const CountedFunction* counted = find(function);
    if (!counted || !*counted->original) return false;
    *counted->failing = true;
    return true;
}

void ImportCounter::stopFailing() {
    for (const CountedFunction& function : countedFunctions())
        *function.failing = false;
}

int ImportCounter::callsOrNone(const char* function) const { return std::max(calls(function), 0); }

int ImportCounter::liveGdiObjects() const {
    int live = 0;
    for (const char* made :
         {"CreateBitmap", "CreateBrushIndirect", "CreateCompatibleDC", "CreatePenIndirect", "LoadBitmapA"})
        live += callsOrNone(made);
    return live - callsOrNone("DeleteDC") - callsOrNone("DeleteObject");
}

int ImportCounter::drawingCalls() const { return callsOrNone("BitBlt") + callsOrNone("LineTo"); }
