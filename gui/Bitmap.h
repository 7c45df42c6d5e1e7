#pragma once
// One picture from the module's bitmap resources, shared by reference counting. It copies a rectangle
// of itself onto a drawing context, either plainly or leaving out its white key colour.

#include "gui/Geometry.h"

#include <windows.h>

class DrawContext;

class Bitmap {
public:
    // A missing resource gives a valid bitmap of 0 x 0 that draws nothing.
    explicit Bitmap(int32_t resource);
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    void addReference() { ++references; }
    // The release that reaches 0 destroys the picture and the object.
    void releaseReference();
    int32_t referenceCount() const { return references; }
    // False when the resource is missing or the system had no room for the picture.
    bool loaded() const { return bitmapHandle != nullptr; }

    // The destination is in view coordinates (moved by the context's origin, right and bottom
    // exclusive); source is the picture's pixel that lands on the destination's top-left corner.
    void drawOpaque(DrawContext& context, const Rect& destination, Point source);
    void drawTransparent(DrawContext& context, const Rect& destination, Point source);

    const int32_t resourceId;
    int32_t width = 0;
    int32_t height = 0;

private:
    ~Bitmap();

    int32_t references = 1;
    const Colour transparentColour{255, 255, 255, 0};
    HBITMAP bitmapHandle;
};
