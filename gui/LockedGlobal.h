#pragma once
// A global memory block locked for the lifetime of the holder. A null or stale handle gives no data and
// size 0, so callers need no other check.

#include <windows.h>

class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL handle) : block(handle), bytes(handle ? GlobalLock(handle) : nullptr) {}
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() {
        if (bytes) GlobalUnlock(block);
    }

    const char* data() const { return static_cast<const char*>(bytes); }
    SIZE_T size() const { return bytes ? GlobalSize(block) : 0; }

private:
    HGLOBAL block;
    void* bytes;
};
