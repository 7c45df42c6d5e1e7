#pragma once
// One reference to a COM object, released when the holder goes.

template <typename Interface> class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer) pointer->Release();
    }

    Interface* operator->() const { return pointer; }
    Interface* get() const { return pointer; }
    // The out argument of a call that hands over a reference; the holder must still be empty.
    void** out() { return reinterpret_cast<void**>(&pointer); }

private:
    Interface* pointer = nullptr;
};
