#include "gui/BitmapReference.h"

#include "gui/Bitmap.h"

void BitmapReference::reset(Bitmap* bitmap) {
    if (bitmap) bitmap->addReference();
    if (held) held->releaseReference();
    held = bitmap;
}
