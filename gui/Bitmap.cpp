#include "gui/Bitmap.h"

#include "gui/DrawContext.h"
#include "gui/ModuleHandle.h"
#include "gui/ToolkitState.h"

namespace {

// A memory device compatible with another one, with a bitmap selected for its lifetime. Without room
// for the device (or with no bitmap) it is null, and nothing may be drawn from or onto it.
class MemoryDevice {
public:
    MemoryDevice(HDC compatibleWith, HBITMAP picture)
        : device(picture ? CreateCompatibleDC(compatibleWith) : nullptr),
          previous(device ? SelectObject(device, picture) : nullptr) {}
    MemoryDevice(const MemoryDevice&) = delete;
    MemoryDevice& operator=(const MemoryDevice&) = delete;
    ~MemoryDevice() {
        if (!device) return;
        SelectObject(device, previous);
        DeleteDC(device);
    }

    operator HDC() const { return device; }

private:
    HDC device;
    HGDIOBJ previous;
};

struct Blit {
    HDC target;
    int x, y, width, height;
    HDC source;
    Point from;
};

// The source block onto the target with a raster operation.
void sourceOnto(const Blit& blit, DWORD operation) {
    BitBlt(blit.target, blit.x, blit.y, blit.width, blit.height, blit.source, blit.from.x, blit.from.y,
           operation);
}

// Pixels of the key colour become 1 in a monochrome mask; the source is then inverted onto the target,
// masked and inverted again, which leaves the target's pixels under the key and the source's elsewhere.
void blitThroughMask(const Blit& blit, COLORREF key, HBITMAP maskBits) {
    MemoryDevice mask(blit.target, maskBits);
    if (!mask) return; // the inversions alone would leave a negative
    SetBkColor(blit.source, key);
    BitBlt(mask, 0, 0, blit.width, blit.height, blit.source, blit.from.x, blit.from.y, SRCCOPY);
    sourceOnto(blit, SRCINVERT);
    BitBlt(blit.target, blit.x, blit.y, blit.width, blit.height, mask, 0, 0, SRCAND);
    sourceOnto(blit, SRCINVERT);
}

// Without room for the mask nothing is drawn.
void maskedBlit(const Blit& blit, COLORREF key) {
    HBITMAP maskBits = CreateBitmap(blit.width, blit.height, 1, 1, nullptr);
    if (!maskBits) return;
    const COLORREF previousBackground = SetBkColor(blit.target, RGB(255, 255, 255));
    const COLORREF previousText = SetTextColor(blit.target, RGB(0, 0, 0));
    blitThroughMask(blit, key, maskBits);
    DeleteObject(maskBits);
    SetBkColor(blit.target, previousBackground);
    SetTextColor(blit.target, previousText);
}

void transparentBlit(const Blit& blit, COLORREF key) {
    if (transparentBltEntry)
        transparentBltEntry(blit.target, blit.x, blit.y, blit.width, blit.height, blit.source, blit.from.x,
                            blit.from.y, blit.width, blit.height, key);
    else
        maskedBlit(blit, key);
}

} // namespace

Bitmap::Bitmap(int32_t resource)
    : resourceId(resource), bitmapHandle(LoadBitmapA(moduleHandle, MAKEINTRESOURCEA(resource))) {
    BITMAP description{};
    if (bitmapHandle && GetObjectA(bitmapHandle, sizeof description, &description)) {
        width = description.bmWidth;
        height = description.bmHeight;
    }
}

Bitmap::~Bitmap() {
    if (bitmapHandle) DeleteObject(bitmapHandle);
}

void Bitmap::releaseReference() {
    if (references <= 0) return;
    if (--references == 0) delete this;
}

void Bitmap::drawOpaque(DrawContext& context, const Rect& destination, Point source) {
    MemoryDevice picture(context.deviceContext(), bitmapHandle);
    if (!picture) return;
    const Point origin = context.originOffset();
    BitBlt(context.deviceContext(), destination.left + origin.x, destination.top + origin.y,
           destination.width(), destination.height(), picture, source.x, source.y, SRCCOPY);
}

void Bitmap::drawTransparent(DrawContext& context, const Rect& destination, Point source) {
    MemoryDevice picture(context.deviceContext(), bitmapHandle);
    if (!picture) return;
    const Point origin = context.originOffset();
    transparentBlit({context.deviceContext(), destination.left + origin.x, destination.top + origin.y,
                     destination.width(), destination.height(), picture, source},
                    transparentColour.rgbValue());
}
