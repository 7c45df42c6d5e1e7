#pragma once
// One holder's counted reference on a bitmap, or on none: taken when set, given back when replaced or
// when the holder goes.

class Bitmap;

class BitmapReference {
public:
    explicit BitmapReference(Bitmap* bitmap = nullptr) { reset(bitmap); }
    BitmapReference(const BitmapReference&) = delete;
    BitmapReference& operator=(const BitmapReference&) = delete;
    ~BitmapReference() { reset(nullptr); }

    // The new bitmap is held before the old one is let go, so the one already held is never lost.
    void reset(Bitmap* bitmap);

    Bitmap* get() const { return held; }
    Bitmap* operator->() const { return held; }
    explicit operator bool() const { return held != nullptr; }

private:
    Bitmap* held = nullptr;
};
