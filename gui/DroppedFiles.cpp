#include "gui/DroppedFiles.h"

#include "gui/LockedGlobal.h"
#include "gui/Shortcut.h"

#include <cstring>
#include <new>
#include <shellapi.h>
#include <shlobj.h>

namespace {

// The list is a run of zero-terminated names closed by an empty one, so its end is the first pair of
// zero units.
template <typename Unit> bool closedWithin(const char* names, SIZE_T bytes) {
    Unit previous = 1;
    for (SIZE_T offset = 0; offset + sizeof(Unit) <= bytes; offset += sizeof(Unit)) {
        Unit unit;
        std::memcpy(&unit, names + offset, sizeof unit); // a wide list need not be aligned
        if (!previous && !unit) return true;
        previous = unit;
    }
    return false;
}

} // namespace

DroppedFiles::DroppedFiles(HGLOBAL list) {
    if (!wellFormed(list)) return;
    HDROP files = static_cast<HDROP>(list);
    const UINT listed = DragQueryFileA(files, 0xFFFFFFFF, nullptr, 0);
    if (listed == 0 || listed > INT32_MAX) return;
    names = new (std::nothrow) char*[listed];
    if (!names) return;
    for (UINT index = 0; index < listed; ++index)
        copyName(files, index);
}

DroppedFiles::~DroppedFiles() {
    for (int32_t i = 0; i < copied; ++i)
        delete[] names[i];
    delete[] names;
}

// DragQueryFileA believes the block's header and reads names until it meets their end: a block from
// another program is checked first so that nothing is read past it.
bool DroppedFiles::wellFormed(HGLOBAL list) {
    const LockedGlobal block(list);
    if (block.size() < sizeof(DROPFILES)) return false;
    DROPFILES header;
    std::memcpy(&header, block.data(), sizeof header);
    if (header.pFiles >= block.size()) return false;
    const char* first = block.data() + header.pFiles;
    const SIZE_T bytes = block.size() - header.pFiles;
    return header.fWide ? closedWithin<WCHAR>(first, bytes) : closedWithin<char>(first, bytes);
}

void DroppedFiles::copyName(HDROP list, UINT index) {
    const UINT length = DragQueryFileA(list, index, nullptr, 0);
    if (length == 0 || length >= kFileNameCapacity) return;
    char name[kFileNameCapacity] = {};
    DragQueryFileA(list, index, name, kFileNameCapacity);
    name[kFileNameCapacity - 1] = '\0';
    resolveShortcut(name); // an unresolved shortcut goes under its own name
    const size_t size = std::strlen(name) + 1;
    char* copy = new (std::nothrow) char[size];
    if (!copy) return;
    std::memcpy(copy, name, size);
    names[copied++] = copy;
}
